#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

// Writes a package-like file of `size` bytes whose content depends on the
// offset, so that a misplaced range shows up as a checksum mismatch.
inline void WritePackageFile(const std::filesystem::path& path, uint64_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::vector<char> block(1 << 16);
    for (uint64_t offset = 0; offset < size;) {
        const uint64_t count = std::min<uint64_t>(block.size(), size - offset);
        for (uint64_t i = 0; i < count; ++i) {
            const uint64_t at = offset + i;
            block[i] = static_cast<char>((at * 2654435761u) >> 13);
        }
        out.write(block.data(), static_cast<std::streamsize>(count));
        offset += count;
    }
}

inline std::vector<char> ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}
