#include "download/checksum.h"

#include <openssl/evp.h>

#include <cstdio>
#include <memory>
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
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) return {};
    std::unique_ptr<EVP_MD_CTX, void (*)(EVP_MD_CTX*)> context(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
    if (!context || EVP_DigestInit_ex(context.get(), EVP_md5(), nullptr) != 1) return {};

    // Large reads keep the hash near the disk's speed; the digest does not
    // depend on how the bytes are split.
    std::vector<unsigned char> block(1 << 16);
    size_t got = 0;
    while ((got = std::fread(block.data(), 1, block.size(), file.get())) > 0) {
        if (EVP_DigestUpdate(context.get(), block.data(), got) != 1) return {};
    }
    if (std::ferror(file.get())) return {};

    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int digestLength = 0;
    if (EVP_DigestFinal_ex(context.get(), digest, &digestLength) != 1) return {};
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    for (unsigned int i = 0; i < digestLength; ++i) {
        text += kHex[digest[i] >> 4];
        text += kHex[digest[i] & 0x0F];
    }
    return text;
}
