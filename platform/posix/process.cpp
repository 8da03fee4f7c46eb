#include "platform/process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/command_line.h"
#include "platform/text.h"
#include "runnable.h"

extern char** environ;

namespace platform {
namespace {

bool EndsWithExe(const std::string& path) {
    if (path.size() < 4) return false;
    std::string suffix = path.substr(path.size() - 4);
    std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return suffix == ".exe";
}

}  // namespace

void MakeRunnable(const std::string& path) {
    if (path.find('/') == std::string::npos || !EndsWithExe(path)) return;
    struct stat info;
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return;
    const mode_t readBits = info.st_mode & (S_IRUSR | S_IRGRP | S_IROTH);
    const mode_t wanted = info.st_mode | S_IXUSR | (readBits >> 2);
    if (wanted != info.st_mode) chmod(path.c_str(), wanted & 07777);
}

namespace {

// posix_spawn's dup2 onto the same number would keep close-on-exec set, so a
// handle that already sits on 0, 1 or 2 is moved out of the way first.
struct SpawnDescriptor {
    int fd = -1;
    bool owned = false;
    explicit SpawnDescriptor(PipeHandle handle) : fd(static_cast<int>(handle.value)) {
        if (fd >= 0 && fd <= 2) {
            fd = fcntl(fd, F_DUPFD_CLOEXEC, 3);
            owned = fd >= 0;
        }
    }
    ~SpawnDescriptor() {
        if (owned) close(fd);
    }
    SpawnDescriptor(const SpawnDescriptor&) = delete;
    SpawnDescriptor& operator=(const SpawnDescriptor&) = delete;
};

class SpawnSettings {
public:
    SpawnSettings() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
        // The child starts with no blocked signals and default handling of the
        // ones a library of ours may have set aside (SIGPIPE).
        sigset_t none;
        sigemptyset(&none);
        posix_spawnattr_setsigmask(&attributes, &none);
        sigset_t defaults;
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGPIPE);
        sigaddset(&defaults, SIGCHLD);
        posix_spawnattr_setsigdefault(&attributes, &defaults);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    ~SpawnSettings() {
        posix_spawnattr_destroy(&attributes);
        posix_spawn_file_actions_destroy(&actions);
    }
    SpawnSettings(const SpawnSettings&) = delete;
    SpawnSettings& operator=(const SpawnSettings&) = delete;

    bool Redirect(const SpawnDescriptor& from, int standardFd) {
        if (from.fd < 0) return false;
        return posix_spawn_file_actions_adddup2(&actions, from.fd, standardFd) == 0;
    }

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
};

int Spawn(pid_t& pid, const std::vector<std::string>& arguments, const SpawnSettings& settings) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.data()));
    argv.push_back(nullptr);
    const bool searchPath = arguments[0].find('/') == std::string::npos;
    // A file that was just written may still be open for writing in a child
    // that another thread is starting at this moment (ETXTBSY): wait briefly.
    int result = ETXTBSY;
    for (int attempt = 0; attempt < 50 && result == ETXTBSY; ++attempt) {
        if (attempt > 0) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        result = searchPath ? posix_spawnp(&pid, argv[0], &settings.actions, &settings.attributes,
                                           argv.data(), environ)
                            : posix_spawn(&pid, argv[0], &settings.actions, &settings.attributes,
                                          argv.data(), environ);
    }
    return result;
}

uint32_t ExitCodeOf(int status) {
    if (WIFEXITED(status)) return static_cast<uint32_t>(WEXITSTATUS(status));
    if (WIFSIGNALED(status)) return 128u + static_cast<uint32_t>(WTERMSIG(status));
    return kStillActive;
}

bool Reap(ProcessInformation& info, int options) {
    if (info.ended) return true;
    if (info.process <= 0) return false;
    int status = 0;
    pid_t done;
    do {
        done = waitpid(static_cast<pid_t>(info.process), &status, options);
    } while (done < 0 && errno == EINTR);
    if (done < 0) return false;
    if (done == 0) return true;  // still running
    info.ended = true;
    info.exitCode = ExitCodeOf(status);
    return true;
}

}  // namespace

bool CreateProcess(std::wstring_view commandLine, const StartupInfo& startup,
                   ProcessInformation& info) {
    info = ProcessInformation{};
    std::vector<std::string> arguments;
    for (const std::wstring& argument : CommandLineToArgv(commandLine)) {
        arguments.push_back(WideToMultiByte(argument, kCodePageAnsi));
    }
    if (arguments.empty() || arguments[0].empty()) return false;
    MakeRunnable(arguments[0]);

    SpawnDescriptor input(startup.stdInput), output(startup.stdOutput), error(startup.stdError);
    SpawnSettings settings;
    if (!settings.Redirect(input, 0) || !settings.Redirect(output, 1) ||
        !settings.Redirect(error, 2)) {
        return false;
    }
    pid_t pid = 0;
    if (Spawn(pid, arguments, settings) != 0) return false;
    info.process = pid;
    info.processId = static_cast<uint32_t>(pid);
    info.threadId = static_cast<uint32_t>(pid);
    return true;
}

bool GetExitCodeProcess(ProcessInformation& info, uint32_t& exitCode) {
    if (!Reap(info, WNOHANG)) return false;
    exitCode = info.exitCode;
    return true;
}

bool WaitForProcess(ProcessInformation& info) { return Reap(info, 0); }

void CloseProcessHandles(ProcessInformation& info) {
    Reap(info, WNOHANG);
    info.process = -1;
}

}  // namespace platform
