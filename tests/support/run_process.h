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

}  // namespace test_support
