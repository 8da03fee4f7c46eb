#include "seven_zip_layout.h"

#include <lzma.h>

#include <cstdlib>
#include <cstring>

namespace Skin {
namespace {

// Property ids of the 7z header.
enum : uint8_t {
    kEnd = 0x00,
    kHeader = 0x01,
    kMainStreamsInfo = 0x04,
    kPackInfo = 0x06,
    kUnpackInfo = 0x07,
    kSubStreamsInfo = 0x08,
    kSize = 0x09,
    kCrc = 0x0A,
    kFolder = 0x0B,
    kCodersUnpackSize = 0x0C,
    kNumUnpackStream = 0x0D,
    kEncodedHeader = 0x17,
};

constexpr uint8_t kSignature[] = {0x37, 0x7A, 0xBC, 0xAF, 0x27, 0x1C};
constexpr size_t kSignatureHeaderSize = 32;

// Reads the header's byte-oriented numbers; any overrun sets failed.
class Reader {
public:
    explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    bool failed() const { return failed_; }

    uint8_t Byte() {
        if (pos_ >= bytes_.size()) {
            failed_ = true;
            return 0;
        }
        return bytes_[pos_++];
    }

    std::vector<uint8_t> Bytes(uint64_t count) {
        std::vector<uint8_t> out;
        for (uint64_t i = 0; i < count && !failed_; ++i) out.push_back(Byte());
        return out;
    }

    // The 7z variable-length number: the leading one bits of the first byte say
    // how many further bytes follow.
    uint64_t Number() {
        const uint8_t first = Byte();
        uint64_t value = 0;
        uint8_t mask = 0x80;
        for (int i = 0; i < 8; ++i) {
            if ((first & mask) == 0)
                return value | (static_cast<uint64_t>(first & (mask - 1)) << (8 * i));
            value |= static_cast<uint64_t>(Byte()) << (8 * i);
            mask >>= 1;
        }
        return value;
    }

    uint64_t Fixed(int size) {
        uint64_t value = 0;
        for (int i = 0; i < size; ++i) value |= static_cast<uint64_t>(Byte()) << (8 * i);
        return value;
    }

    // A bit vector, preceded by an all-defined byte.
    std::vector<bool> Defined(uint64_t count) {
        std::vector<bool> defined(count, true);
        if (Byte() != 0) return defined;
        uint8_t bits = 0;
        for (uint64_t i = 0; i < count; ++i) {
            if (i % 8 == 0) bits = Byte();
            defined[i] = (bits & (0x80 >> (i % 8))) != 0;
        }
        return defined;
    }

    void SkipDigests(uint64_t count) {
        for (bool defined : Defined(count)) {
            if (defined) Fixed(4);
        }
    }

private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
    bool failed_ = false;
};

struct StreamsInfo {
    uint64_t packPos = 0;
    std::vector<uint64_t> packSizes;
    std::vector<SevenZipFolder> folders;
    std::vector<std::vector<uint8_t>> coderProperties;  // of each folder's first coder
    std::vector<uint64_t> unpackSizes;                  // of each folder's last output
};

bool ReadFolder(Reader& reader, SevenZipFolder& folder, std::vector<uint8_t>& firstProperties) {
    const uint64_t coders = reader.Number();
    uint64_t inStreams = 0, outStreams = 0;
    for (uint64_t i = 0; i < coders && !reader.failed(); ++i) {
        const uint8_t flags = reader.Byte();
        folder.coderIds.push_back(reader.Bytes(flags & 0x0F));
        const bool complex = flags & 0x10;
        inStreams += complex ? reader.Number() : 1;
        outStreams += complex ? reader.Number() : 1;
        if (flags & 0x20) {
            auto properties = reader.Bytes(reader.Number());
            if (i == 0) firstProperties = std::move(properties);
        }
    }
    for (uint64_t i = 0; i + 1 < outStreams; ++i) reader.Number(), reader.Number();  // bind pairs
    const uint64_t packed = inStreams - (outStreams - 1);
    if (packed > 1) {
        for (uint64_t i = 0; i < packed; ++i) reader.Number();
    }
    return !reader.failed();
}

bool ReadStreamsInfo(Reader& reader, StreamsInfo& info) {
    for (uint8_t id = reader.Byte(); id != kEnd && !reader.failed(); id = reader.Byte()) {
        if (id == kPackInfo) {
            info.packPos = reader.Number();
            info.packSizes.resize(reader.Number());
            for (uint8_t sub = reader.Byte(); sub != kEnd && !reader.failed();
                 sub = reader.Byte()) {
                if (sub == kSize) {
                    for (auto& size : info.packSizes) size = reader.Number();
                } else if (sub == kCrc) {
                    reader.SkipDigests(info.packSizes.size());
                } else {
                    return false;
                }
            }
        } else if (id == kUnpackInfo) {
            if (reader.Byte() != kFolder) return false;
            info.folders.resize(reader.Number());
            if (reader.Byte() != 0)
                return false;  // folders stored elsewhere: not written by packers
            info.coderProperties.resize(info.folders.size());
            for (size_t i = 0; i < info.folders.size(); ++i) {
                if (!ReadFolder(reader, info.folders[i], info.coderProperties[i])) return false;
            }
            if (reader.Byte() != kCodersUnpackSize) return false;
            for (const SevenZipFolder& folder : info.folders) {
                // One unpack size per coder output; with simple coders that is one per coder.
                for (size_t i = 0; i < folder.coderIds.size(); ++i)
                    info.unpackSizes.push_back(reader.Number());
            }
            for (uint8_t sub = reader.Byte(); sub != kEnd && !reader.failed();
                 sub = reader.Byte()) {
                if (sub != kCrc) return false;
                reader.SkipDigests(info.folders.size());
            }
        } else if (id == kSubStreamsInfo) {
            uint8_t sub = reader.Byte();
            if (sub == kNumUnpackStream) {
                for (SevenZipFolder& folder : info.folders) folder.unpackStreams = reader.Number();
            }
            // The sizes and digests that follow are not needed here.
            return !reader.failed();
        } else {
            return false;
        }
    }
    return !reader.failed();
}

// Decodes a header compressed with LZMA2 or LZMA (the two coders packers use
// for it) with liblzma.
bool DecodeHeader(std::span<const uint8_t> archive, const StreamsInfo& info,
                  std::vector<uint8_t>& header) {
    const std::vector<uint8_t> kLzma2 = {0x21}, kLzma = {0x03, 0x01, 0x01};
    if (info.folders.size() != 1 || info.packSizes.size() != 1 || info.unpackSizes.empty() ||
        info.folders[0].coderIds.size() != 1) {
        return false;
    }
    const auto& coder = info.folders[0].coderIds[0];
    if (coder != kLzma2 && coder != kLzma) return false;
    const uint64_t start = kSignatureHeaderSize + info.packPos;
    if (start + info.packSizes[0] > archive.size()) return false;
    lzma_filter filters[2] = {{coder == kLzma2 ? LZMA_FILTER_LZMA2 : LZMA_FILTER_LZMA1, nullptr},
                              {LZMA_VLI_UNKNOWN, nullptr}};
    const auto& properties = info.coderProperties[0];
    if (lzma_properties_decode(&filters[0], nullptr, properties.data(), properties.size()) !=
        LZMA_OK)
        return false;
    header.resize(info.unpackSizes.back());
    lzma_stream stream = LZMA_STREAM_INIT;
    lzma_ret result = lzma_raw_decoder(&stream, filters);
    free(filters[0].options);
    if (result != LZMA_OK) return false;
    stream.next_in = archive.data() + start;
    stream.avail_in = info.packSizes[0];
    stream.next_out = header.data();
    stream.avail_out = header.size();
    // Without an end marker LZMA never reports the end: a full output is the end.
    result = lzma_code(&stream, LZMA_FINISH);
    const bool complete = (result == LZMA_OK || result == LZMA_STREAM_END) && stream.avail_out == 0;
    lzma_end(&stream);
    return complete;
}

}  // namespace

std::optional<SevenZipLayout> ReadSevenZipLayout(std::span<const uint8_t> archive,
                                                 std::string& error) {
    if (archive.size() < kSignatureHeaderSize ||
        std::memcmp(archive.data(), kSignature, sizeof kSignature) != 0) {
        error = "no 7z signature";
        return std::nullopt;
    }
    Reader start(archive.subspan(12, 16));
    const uint64_t nextOffset = start.Fixed(8), nextSize = start.Fixed(8);
    if (kSignatureHeaderSize + nextOffset + nextSize > archive.size()) {
        error = "the header lies beyond the end";
        return std::nullopt;
    }
    std::vector<uint8_t> header(archive.begin() + kSignatureHeaderSize + nextOffset,
                                archive.begin() + kSignatureHeaderSize + nextOffset + nextSize);
    if (!header.empty() && header[0] == kEncodedHeader) {
        Reader reader(std::span<const uint8_t>(header).subspan(1));
        StreamsInfo encoded;
        std::vector<uint8_t> decoded;
        if (!ReadStreamsInfo(reader, encoded) || !DecodeHeader(archive, encoded, decoded)) {
            error = "the compressed header does not decode";
            return std::nullopt;
        }
        header = std::move(decoded);
    }
    Reader reader(header);
    if (reader.Byte() != kHeader || reader.Byte() != kMainStreamsInfo) {
        error = "no main streams in the header";
        return std::nullopt;
    }
    StreamsInfo main;
    if (!ReadStreamsInfo(reader, main)) {
        error = "the main streams do not parse";
        return std::nullopt;
    }
    return SevenZipLayout{main.folders};
}

}  // namespace Skin
