#include "platform/locale.h"

#include <cstdlib>
#include <string_view>

namespace platform {
namespace {

std::string UserLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return value;
    }
    return {};
}

}  // namespace

bool GetUserDefaultLocaleInfo(LocaleInfo type, size_t bufferSize, std::string& value) {
    const std::string whole = UserLocaleName();
    const std::string_view name = std::string_view(whole).substr(0, whole.find_first_of(".@"));
    if (name.empty() || name == "C" || name == "POSIX") return false;
    const size_t underscore = name.find('_');
    const std::string_view part =
        type == LocaleInfo::Iso639LanguageName
            ? name.substr(0, underscore)
            : (underscore == std::string_view::npos ? std::string_view{}
                                                    : name.substr(underscore + 1));
    // The Windows call counts the terminating zero.
    if (part.empty() || part.size() + 1 > bufferSize) return false;
    value.assign(part);
    return true;
}

}  // namespace platform
