#pragma once

#include <memory>
#include <string>
#include <string_view>

// The package's expected MD5 is the second-to-last path segment of the
// resolved URL ("…/<md5>/<file name>"); empty when the URL holds fewer than
// two "/". Callers test the length (32) themselves.
std::string UrlChecksum(std::string_view url);

// MD5 of a file as 32 lowercase hexadecimal digits; empty when the file
// cannot be read.
std::string FileChecksum(const std::string& path);

inline constexpr size_t kChecksumLength = 32;

// MD5 of bytes that arrive piece by piece, so a download can be checked
// without reading the whole file again.
class Md5Stream {
public:
    Md5Stream();
    ~Md5Stream();
    Md5Stream(const Md5Stream&) = delete;
    Md5Stream& operator=(const Md5Stream&) = delete;

    void Update(const void* data, size_t size);
    // Adds a whole file; false when it cannot be read.
    bool UpdateFromFile(const std::string& path);
    // 32 lowercase hexadecimal digits; empty when any step failed.
    std::string Finish();

private:
    struct Context;
    std::unique_ptr<Context> context;
    bool failed = false;
};
