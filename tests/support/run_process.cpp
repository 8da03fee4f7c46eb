#include "run_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

extern char** environ;

namespace test_support {
namespace {

std::vector<char*> ArgumentPointers(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    return args;
}

}  // namespace

int WaitForExit(int pid, int* signal) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (signal != nullptr) *signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int SpawnWithOutputPipe(const std::vector<std::string>& argv, int* pid) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    std::vector<char*> args = ArgumentPointers(argv);
    pid_t child = 0;
    const int spawned = ::posix_spawn(&child, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (spawned != 0) {
        ::close(pipeFds[0]);
        throw std::runtime_error("cannot start " + argv[0]);
    }
    *pid = child;
    return pipeFds[0];
}

ProcessResult RunProcess(const std::vector<std::string>& argv) {
    int pid = 0;
    const int output = SpawnWithOutputPipe(argv, &pid);
    ProcessResult result;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(output, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        result.output.append(buffer, static_cast<size_t>(got));
    }
    ::close(output);
    result.exitCode = WaitForExit(pid, &result.signal);
    return result;
}

BackgroundProcess::BackgroundProcess(const std::vector<std::string>& argv) {
    std::vector<char*> args = ArgumentPointers(argv);
    // A group of its own, so that its children end with it.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, args[0], nullptr, &attributes, args.data(), environ);
    posix_spawnattr_destroy(&attributes);
    if (spawned != 0) throw std::runtime_error("cannot start " + argv[0]);
    pid_ = pid;
}

BackgroundProcess::~BackgroundProcess() {
    if (reaped_) return;
    ::kill(-pid_, SIGKILL);
    Wait();
}

int BackgroundProcess::Wait() {
    reaped_ = true;
    return WaitForExit(pid_, nullptr);
}

}  // namespace test_support
