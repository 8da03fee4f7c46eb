#include "script_file.h"

#include <fstream>
#include <sstream>

namespace test_support {

void WriteShellScript(const std::filesystem::path& path, const std::string& body, bool executable) {
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << "#!/bin/sh\n" << body;
    }
    using std::filesystem::perms;
    std::filesystem::permissions(path, executable ? perms::owner_all | perms::group_read |
                                                        perms::group_exec | perms::others_read |
                                                        perms::others_exec
                                                  : perms::owner_read | perms::owner_write |
                                                        perms::group_read | perms::others_read);
}

std::vector<std::string> ReadLines(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

}  // namespace test_support
