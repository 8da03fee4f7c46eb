#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "download/checksum.h"

// The MD5 of a package that arrives as part files, taken while the parts are
// still being written so that the checksum is ready almost as soon as the last
// byte is. Part files are only ever appended to, so every byte already on disk
// is final: each part is read up to what it holds, and the next one is started
// once a part is whole.
class PartChecksumFollower {
public:
    struct Part {
        std::string path;
        int64_t size;
    };
    explicit PartChecksumFollower(std::vector<Part> parts);
    ~PartChecksumFollower();
    PartChecksumFollower(const PartChecksumFollower&) = delete;
    PartChecksumFollower& operator=(const PartChecksumFollower&) = delete;

    // Hashes what the part files hold beyond what is hashed already.
    void CatchUp();
    // 32 lowercase hexadecimal digits once every byte of every part is hashed;
    // empty when a part is short or could not be read.
    std::string Finish();

private:
    void CloseCurrent();

    std::vector<Part> parts;
    size_t current = 0;  // the part being read
    int64_t offset = 0;  // bytes of it hashed
    FILE* file = nullptr;
    bool failed = false;
    Md5Stream md5;
};
