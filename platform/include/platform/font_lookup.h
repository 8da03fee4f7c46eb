#pragma once

#include <string>

namespace platform {

// The font file that the system would use for a face name, as CreateFontW
// picks a face: the closest installed match for the name, weight and slant,
// with the language set to Simplified Chinese so that a Chinese face name
// ("微软雅黑") lands on a face that has the Chinese glyphs.
struct FontFile {
    std::string path;   // file name for the rasteriser
    int faceIndex = 0;  // face inside a collection (.ttc)
};

bool FindFontFile(const std::wstring& faceName, bool bold, bool italic, FontFile* out);

}  // namespace platform
