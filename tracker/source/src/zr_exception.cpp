#include "source/src/zr_exception.h"

namespace zerra::analytics {

ZrException::ZrException(std::string message, std::string file, std::string function, int line)
    : message_(std::move(message)),
      file_(std::move(file)),
      function_(std::move(function)),
      line_(line) {}

}  // namespace zerra::analytics
