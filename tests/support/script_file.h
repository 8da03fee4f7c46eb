#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace test_support {

// Writes a /bin/sh script with `body` after the "#!" line. The file is left
// without execute bits unless asked, as a downloaded package arrives.
void WriteShellScript(const std::filesystem::path& path, const std::string& body,
                      bool executable = false);

// The lines of a text file, without their line feeds; empty when it is missing.
std::vector<std::string> ReadLines(const std::filesystem::path& path);

// The whole file as bytes; empty when it is missing.
std::string ReadText(const std::filesystem::path& path);

}  // namespace test_support
