#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "script_file.h"

// A shell-script package running `body`, padded after its end beyond the
// 1 MiB the single-stream downloader asks of a package.
inline void WritePaddedPackage(const std::filesystem::path& path, const std::string& body) {
    test_support::WriteShellScript(path, body + "exit 0\n");
    std::ofstream out(path, std::ios::app);
    const std::string padding(1023, '#');
    for (int i = 0; i < 1100; ++i) out << padding << '\n';
}
