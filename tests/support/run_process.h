#pragma once

#include <string>
#include <vector>

namespace test_support {

// How a child process ended and what it wrote to its standard output.
struct ProcessResult {
    int exitCode = -1;  // -1 when it died of a signal
    int signal = 0;     // the signal that ended it, 0 when it exited
    std::string output;
};

// Runs `argv` (argv[0] is the executable's path; no shell) with the test's
// environment, waits for it and collects its standard output. Standard error
// stays the test's own. Throws std::runtime_error when it cannot be started.
ProcessResult RunProcess(const std::vector<std::string>& argv);

// Starts `argv` (no shell) with its standard output on a pipe and returns the
// pipe's read end (close-on-exec); the child's id goes to `pid`. Throws
// std::runtime_error when it cannot be started.
int SpawnWithOutputPipe(const std::vector<std::string>& argv, int* pid);

// Waits for the child to end: its exit code, or -1 when a signal ended it (the
// signal goes to `signal` when that is not null).
int WaitForExit(int pid, int* signal);

}  // namespace test_support

namespace test_support {

// A child process that runs while the test goes on, in a process group of its
// own; the group is killed and the child reaped when the object goes away.
class BackgroundProcess {
public:
    // Starts `argv` (no shell); throws std::runtime_error when it cannot.
    explicit BackgroundProcess(const std::vector<std::string>& argv);
    ~BackgroundProcess();
    BackgroundProcess(const BackgroundProcess&) = delete;
    BackgroundProcess& operator=(const BackgroundProcess&) = delete;

    int pid() const { return pid_; }
    // Waits for the end; the exit code, or -1 after a signal.
    int Wait();

private:
    int pid_ = 0;
    bool reaped_ = false;
};

}  // namespace test_support
