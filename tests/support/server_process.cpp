#include "server_process.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "run_process.h"

namespace test_support {

ServerProcess::ServerProcess(const std::vector<std::string>& argv)
    : output_(SpawnWithOutputPipe(argv, &pid_)) {}

ServerProcess::~ServerProcess() {
    Terminate();
    if (output_ >= 0) ::close(output_);
}

std::string ServerProcess::ReadLine() {
    std::string line;
    for (;;) {
        pollfd ready{output_, POLLIN, 0};
        if (::poll(&ready, 1, 10000) <= 0) return line;
        char c = 0;
        const ssize_t got = ::read(output_, &c, 1);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0 || c == '\n') return line;
        line += c;
    }
}

bool ServerProcess::Exited() {
    if (pid_ <= 0) return true;
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) != pid_) return false;
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    pid_ = -1;
    return true;
}

int ServerProcess::Terminate() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        exitCode_ = WaitForExit(pid_, nullptr);
        pid_ = -1;
    }
    return exitCode_;
}

}  // namespace test_support
