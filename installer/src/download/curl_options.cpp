#include "download/curl_options.h"

namespace curl_options {

size_t DiscardBody(char*, size_t size, size_t count, void*) { return size * count; }

}  // namespace curl_options
