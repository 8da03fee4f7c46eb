#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

// Writes a package-like file of `size` bytes whose content depends on the
// offset, so that a misplaced range shows up as a checksum mismatch.
inline void WritePackageFile(const std::filesystem::path& path, uint64_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::vector<uint64_t> block(1 << 14);
    constexpr uint64_t kBlockBytes = (1 << 14) * sizeof(uint64_t);
    for (uint64_t offset = 0; offset < size; offset += kBlockBytes) {
        for (size_t i = 0; i < block.size(); ++i) {
            block[i] = (offset / sizeof(uint64_t) + i) * 0x9E3779B97F4A7C15ull;
        }
        const uint64_t count = std::min<uint64_t>(kBlockBytes, size - offset);
        out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(count));
    }
}

inline std::vector<char> ReadWholeFile(const std::filesystem::path& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error) return {};
    std::vector<char> bytes(size);
    std::ifstream(path, std::ios::binary).read(bytes.data(), static_cast<std::streamsize>(size));
    return bytes;
}
