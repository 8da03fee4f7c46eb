#pragma once

#include <string>
#include <vector>

namespace test_support {

// A child process that runs beside the test (a server), with its standard
// output on a pipe; standard error stays the test's own. Destruction ends it
// with SIGTERM and waits for it.
class ServerProcess {
public:
    // argv[0] is the executable's path; no shell. Throws std::runtime_error
    // when it cannot be started.
    explicit ServerProcess(const std::vector<std::string>& argv);
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    // One line of its standard output without the line end; empty at its end
    // or when nothing comes within ten seconds.
    std::string ReadLine();
    // Whether it has ended (without waiting).
    bool Exited();
    // SIGTERM, then waits: the exit code, -1 when a signal ended it.
    int Terminate();

private:
    int pid_ = -1;
    int output_ = -1;
    int exitCode_ = -1;
};

}  // namespace test_support
