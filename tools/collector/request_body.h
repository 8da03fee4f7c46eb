#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace collector {

// The JSON array of a request body "data_list=<percent-encoded Base64 of the
// gzip-compressed array>&gzip=1"; empty when the body is not of that form or
// does not decode.
std::optional<std::string> DecodeRequestBody(std::string_view body);

// The element texts of a JSON array, exactly as they stand in it.
std::vector<std::string> SplitJsonArray(std::string_view array);

}  // namespace collector
