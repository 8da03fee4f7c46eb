#include "download/part_checksum.h"

#include <algorithm>

PartChecksumFollower::PartChecksumFollower(std::vector<Part> parts) : parts(std::move(parts)) {}

PartChecksumFollower::~PartChecksumFollower() { CloseCurrent(); }

void PartChecksumFollower::CloseCurrent() {
    if (file) std::fclose(file);
    file = nullptr;
}

void PartChecksumFollower::CatchUp() {
    static constexpr int64_t kBlock = 1 << 16;
    unsigned char block[kBlock];
    while (!failed && current < parts.size()) {
        const Part& part = parts[current];
        if (offset == part.size) {
            CloseCurrent();
            ++current;
            offset = 0;
            continue;
        }
        if (!file && !(file = std::fopen(part.path.c_str(), "rb"))) return;
        std::clearerr(file);  // the end seen last time may have moved
        const size_t got =
            std::fread(block, 1, static_cast<size_t>(std::min(kBlock, part.size - offset)), file);
        if (got == 0) {
            failed = std::ferror(file) != 0;
            return;  // nothing more on disk yet
        }
        md5.Update(block, got);
        offset += static_cast<int64_t>(got);
    }
}

std::string PartChecksumFollower::Finish() {
    CatchUp();
    CloseCurrent();
    return !failed && current == parts.size() ? md5.Finish() : std::string();
}
