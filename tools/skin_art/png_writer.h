#pragma once

#include <string>
#include <vector>

namespace skin_art {

// Writes 8-bit RGBA rows as a PNG whose image data is filtered row by row but
// stored without deflate compression: the skin package's solid LZMA2 block then
// sees the filtered rows themselves (and what the 25 animation frames share),
// which makes the package less than half the size and quicker to open than
// deflated pictures would.
bool WriteStoredPng(const std::string& path, int width, int height,
                    const std::vector<unsigned char>& rgba);

}  // namespace skin_art
