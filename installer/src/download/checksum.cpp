#include "download/checksum.h"

#include <openssl/evp.h>

#include <cstdio>
#include <vector>

std::string UrlChecksum(std::string_view url) {
    const size_t last = url.rfind('/');
    if (last == std::string_view::npos) return {};
    const std::string_view head = url.substr(0, last);
    const size_t previous = head.rfind('/');
    if (previous == std::string_view::npos) return {};
    return std::string(head.substr(previous + 1));
}

std::string FileChecksum(const std::string& path) {
    Md5Stream md5;
    return md5.UpdateFromFile(path) ? md5.Finish() : std::string();
}

struct Md5Stream::Context {
    EVP_MD_CTX* digest = EVP_MD_CTX_new();
    ~Context() { EVP_MD_CTX_free(digest); }
};

Md5Stream::Md5Stream() : context(std::make_unique<Context>()) {
    failed = !context->digest || EVP_DigestInit_ex(context->digest, EVP_md5(), nullptr) != 1;
}

Md5Stream::~Md5Stream() = default;

void Md5Stream::Update(const void* data, size_t size) {
    if (!failed && size > 0) failed = EVP_DigestUpdate(context->digest, data, size) != 1;
}

bool Md5Stream::UpdateFromFile(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    // Large reads keep the hash near the disk's speed; the digest does not
    // depend on how the bytes are split.
    std::vector<unsigned char> block(1 << 16);
    size_t got = 0;
    while ((got = std::fread(block.data(), 1, block.size(), file)) > 0) Update(block.data(), got);
    const bool complete = !std::ferror(file);
    std::fclose(file);
    failed = failed || !complete;
    return complete;
}

std::string Md5Stream::Finish() {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int digestLength = 0;
    if (failed || EVP_DigestFinal_ex(context->digest, digest, &digestLength) != 1) return {};
    failed = true;  // a finished context takes no more data
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    for (unsigned int i = 0; i < digestLength; ++i) {
        text += kHex[digest[i] >> 4];
        text += kHex[digest[i] & 0x0F];
    }
    return text;
}
