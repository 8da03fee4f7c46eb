#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace Skin {

// What a 7z archive's own header says about how its members are compressed,
// read independently of libarchive to check the shipped package's layout.
struct SevenZipFolder {
    std::vector<std::vector<uint8_t>> coderIds;  // e.g. {0x21} for LZMA2
    uint64_t unpackStreams = 1;                  // members stored in this block
};

struct SevenZipLayout {
    std::vector<SevenZipFolder> folders;  // the compressed blocks
};

// Nothing when the bytes are not a 7z archive this reader understands; error
// says why.
std::optional<SevenZipLayout> ReadSevenZipLayout(std::span<const uint8_t> archive,
                                                 std::string& error);

}  // namespace Skin
