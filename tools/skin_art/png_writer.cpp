#include "png_writer.h"

#include <zlib.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>

namespace skin_art {
namespace {

constexpr int kChannels = 4;

unsigned char Paeth(int left, int up, int upLeft) {
    const int estimate = left + up - upLeft;
    const int toLeft = std::abs(estimate - left), toUp = std::abs(estimate - up),
              toUpLeft = std::abs(estimate - upLeft);
    if (toLeft <= toUp && toLeft <= toUpLeft) return static_cast<unsigned char>(left);
    return static_cast<unsigned char>(toUp <= toUpLeft ? up : upLeft);
}

// The row under filter type 0 to 4 (None, Sub, Up, Average, Paeth).
std::vector<unsigned char> FilterRow(int type, const unsigned char* row,
                                     const unsigned char* previous, size_t size) {
    std::vector<unsigned char> out(size);
    for (size_t i = 0; i < size; ++i) {
        const int left = i >= kChannels ? row[i - kChannels] : 0;
        const int up = previous ? previous[i] : 0;
        const int upLeft = previous && i >= kChannels ? previous[i - kChannels] : 0;
        int predicted = 0;
        switch (type) {
            case 1:
                predicted = left;
                break;
            case 2:
                predicted = up;
                break;
            case 3:
                predicted = (left + up) / 2;
                break;
            case 4:
                predicted = Paeth(left, up, upLeft);
                break;
            default:
                break;
        }
        out[i] = static_cast<unsigned char>(row[i] - predicted);
    }
    return out;
}

// The usual heuristic: the filter whose output, read as signed bytes, sums
// smallest.
long Cost(const std::vector<unsigned char>& filtered) {
    long sum = 0;
    for (unsigned char value : filtered) sum += std::abs(static_cast<signed char>(value));
    return sum;
}

void PutBigEndian(std::string& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void PutChunk(std::string& out, const char* type, const std::string& body) {
    PutBigEndian(out, static_cast<uint32_t>(body.size()));
    const std::string typed = std::string(type, 4) + body;
    out += typed;
    PutBigEndian(out, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(typed.data()),
                                                  static_cast<uInt>(typed.size()))));
}

}  // namespace

bool WriteStoredPng(const std::string& path, int width, int height,
                    const std::vector<unsigned char>& rgba) {
    const size_t stride = static_cast<size_t>(width) * kChannels;
    std::vector<unsigned char> filtered;
    filtered.reserve((stride + 1) * height);
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = rgba.data() + y * stride;
        const unsigned char* previous = y > 0 ? row - stride : nullptr;
        int bestType = 0;
        std::vector<unsigned char> best = FilterRow(0, row, previous, stride);
        for (int type = 1; type <= 4; ++type) {
            auto candidate = FilterRow(type, row, previous, stride);
            if (Cost(candidate) < Cost(best)) {
                best = std::move(candidate);
                bestType = type;
            }
        }
        filtered.push_back(static_cast<unsigned char>(bestType));
        filtered.insert(filtered.end(), best.begin(), best.end());
    }
    uLongf packedSize = compressBound(filtered.size());
    std::string packed(packedSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, filtered.data(),
                  filtered.size(), Z_NO_COMPRESSION) != Z_OK) {
        return false;
    }
    packed.resize(packedSize);

    std::string header;
    PutBigEndian(header, static_cast<uint32_t>(width));
    PutBigEndian(header, static_cast<uint32_t>(height));
    header +=
        std::string{8, 6, 0, 0, 0};  // 8 bits, RGBA, deflate, adaptive filtering, no interlace
    std::string png = "\x89PNG\r\n\x1a\n";
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", {});
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(png.data(), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(file);
}

}  // namespace skin_art
