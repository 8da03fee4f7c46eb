#include "download/part_joiner.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/debug_log.h"

namespace {
// The copy goes in small blocks; large stream buffers keep the disk from
// seeing them.
constexpr size_t kStreamBuffer = 1 << 18;
constexpr int64_t kBlock = 1024;
}  // namespace

PartJoiner::PartJoiner(std::vector<Part> parts, bool checksum)
    : parts(std::move(parts)), md5(checksum ? std::make_unique<Md5Stream>() : nullptr) {}

PartJoiner::~PartJoiner() {
    CloseSource();
    CloseTarget();
}

void PartJoiner::CloseSource() {
    if (source) std::fclose(source);
    source = nullptr;
}

bool PartJoiner::CloseTarget() {
    const bool closed = !target || std::fclose(target) == 0;
    target = nullptr;
    return closed;
}

void PartJoiner::CatchUp() {
    char block[kBlock];
    while (!failed && current < parts.size()) {
        const Part& part = parts[current];
        if (offset == part.size) {
            CloseSource();
            if (current > 0) DebugLog(L"partPath::%hs\r\n", part.path.c_str());
            ++current;
            offset = 0;
            continue;
        }
        if (current == 0 && !md5) {
            // Nothing to read from the first part but whether it is whole.
            std::error_code error;
            const auto onDisk = std::filesystem::file_size(part.path, error);
            if (error || static_cast<int64_t>(onDisk) < part.size) return;
            offset = part.size;
            continue;
        }
        if (!source) {
            source = std::fopen(part.path.c_str(), "rb");
            if (!source) return;  // not there yet, or never: Complete tells
            std::setvbuf(source, nullptr, _IOFBF, kStreamBuffer);
        }
        if (current > 0 && !target) {
            target = std::fopen(parts.front().path.c_str(), "ab");
            if (!target) {
                failed = true;
                return;
            }
            std::setvbuf(target, nullptr, _IOFBF, kStreamBuffer);
        }
        std::clearerr(source);  // the end seen last time may have moved
        const size_t got =
            std::fread(block, 1, static_cast<size_t>(std::min(kBlock, part.size - offset)), source);
        if (got == 0) {
            failed = std::ferror(source) != 0;
            return;  // nothing more on disk yet
        }
        if (md5) md5->Update(block, got);
        if (current > 0) {
            appended = true;
            if (std::fwrite(block, 1, got, target) != got) {
                failed = true;
                return;
            }
        }
        offset += static_cast<int64_t>(got);
    }
}

bool PartJoiner::Complete() {
    CatchUp();
    CloseSource();
    const bool closed = CloseTarget();
    return !failed && closed && current == parts.size();
}

std::string PartJoiner::Checksum() {
    return md5 && !failed && current == parts.size() ? md5->Finish() : std::string();
}

bool PartJoiner::Undo() {
    CloseSource();
    CloseTarget();
    if (!appended || parts.empty()) return true;
    std::error_code error;
    std::filesystem::resize_file(parts.front().path, static_cast<uintmax_t>(parts.front().size),
                                 error);
    if (error) DebugLog(L"cannot cut %hs back to its range\r\n", parts.front().path.c_str());
    appended = !!error;
    return !error;
}
