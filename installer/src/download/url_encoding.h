#pragma once

#include <string>
#include <string_view>

// The request URL of the system downloader: UTF-8 bytes 33 to 126 pass
// unchanged (":", "/", "?", "%" included), a space becomes "+", every other
// byte "%" and two uppercase hexadecimal digits.
std::string EncodeRequestUrl(std::string_view utf8Url);
