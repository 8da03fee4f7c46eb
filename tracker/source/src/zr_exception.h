#pragma once

#include <exception>
#include <string>

namespace zerra::analytics {

// The tracker library's exception; raised inside the library and caught by
// AnalyticsTrackerWrapper, never seen by the application.
class ZrException : public std::exception {
public:
    ZrException(std::string message, std::string file, std::string function, int line);

    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& file() const { return file_; }
    const std::string& function() const { return function_; }
    int line() const { return line_; }
    int errorCode() const { return errorCode_; }
    int subCode() const { return subCode_; }

private:
    std::string message_;
    std::string file_;
    std::string function_;
    int line_;
    int errorCode_ = -1;
    int subCode_ = -1;
};

}  // namespace zerra::analytics

#define ZR_RAISE(function, message) \
    throw ::zerra::analytics::ZrException((message), __FILE__, (function), __LINE__)
