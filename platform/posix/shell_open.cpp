#include "platform/shell_open.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>
#include <vector>

#include "platform/text.h"
#include "runnable.h"

extern char** environ;

namespace platform {
namespace {

bool IsProgramFile(const std::string& path) {
    struct stat info;
    return path.find("://") == std::string::npos && stat(path.c_str(), &info) == 0 &&
           S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

bool SpawnDetached(std::vector<std::string> arguments, const std::string& directory) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (!directory.empty()) posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK);
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const bool searchPath = arguments[0].find('/') == std::string::npos;
    const int result =
        searchPath ? posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ)
                   : posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (result != 0) return false;
    // Nobody waits for a started program; this keeps it from lingering as a zombie.
    std::thread([pid] {
        int status = 0;
        waitpid(pid, &status, 0);
    }).detach();
    return true;
}

}  // namespace

bool ShellOpen(const std::wstring& file, const std::wstring& directory) {
    const std::string target = WideToMultiByte(file, kCodePageAnsi);
    if (target.empty()) return false;
    MakeRunnable(target);
    const std::string folder = WideToMultiByte(directory, kCodePageAnsi);
    if (IsProgramFile(target)) return SpawnDetached({target}, folder);
    return SpawnDetached({"xdg-open", target}, folder);
}

}  // namespace platform
