#pragma once

#include <string>
#include <vector>

namespace platform {

// Runs a helper program found on PATH with `argv` (no shell), its standard
// error on /dev/null, and returns what it printed when it exited with 0.
// `started` (when given) tells a program that ran from one that is missing.
bool CaptureProgramOutput(const std::vector<std::string>& argv, std::string& output,
                          bool* started = nullptr);

}  // namespace platform
