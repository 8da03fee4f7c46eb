#pragma once

#include <string>
#include <vector>

#include "sdk/sdk.h"

// The "properties" object of a record text.
inline std::string PropertiesOf(const std::string& record) {
    const size_t start = record.find("\"properties\":") + 13;
    return record.substr(start, record.rfind(",\"time\":") - start);
}

inline std::vector<std::string> QueuedRecords() {
    const auto sdk = analytics_sdk::Sdk::Instance();
    return sdk ? sdk->consumer().QueuedRecords() : std::vector<std::string>{};
}

// Sets LANG alone, so that the locale the tracker finds is known.
inline void UseLocale(const char* lang) {
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    setenv("LANG", lang, 1);
}
