#pragma once

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
