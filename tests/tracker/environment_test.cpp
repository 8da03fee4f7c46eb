#include "source/src/environment.h"

#include <gtest/gtest.h>

#include <regex>

#include "platform/display.h"
#include "platform/locale.h"
#include "platform/os_version.h"

namespace {

using namespace zerra::analytics;

void SetLocaleVariables(const char* all, const char* messages, const char* lang) {
    for (const auto& [name, value] :
         {std::pair{"LC_ALL", all}, {"LC_MESSAGES", messages}, {"LANG", lang}}) {
        if (value == nullptr) {
            unsetenv(name);
        } else {
            setenv(name, value, 1);
        }
    }
}

TEST(SystemLocale, SplitsTheFirstSetLocaleVariable) {
    struct Case {
        const char* all;
        const char* messages;
        const char* lang;
        std::string locale;
    };
    const Case cases[] = {
        {nullptr, nullptr, "zh_CN.UTF-8", "zh_CN"},
        {nullptr, "de_AT@euro", "zh_CN.UTF-8", "de_AT"},
        {"en_US.UTF-8", "de_AT", "zh_CN", "en_US"},
        {"", nullptr, "pt_BR", "pt_BR"},
        {nullptr, nullptr, "C.UTF-8", ""},
        {nullptr, nullptr, "POSIX", ""},
        {nullptr, nullptr, "en", ""},
        {nullptr, nullptr, nullptr, ""},
    };
    for (const Case& locale : cases) {
        SetLocaleVariables(locale.all, locale.messages, locale.lang);
        const Locale found = getSystemLocale();
        EXPECT_EQ(found.locale, locale.locale) << (locale.lang ? locale.lang : "(unset)");
        EXPECT_EQ(found.language.empty(), locale.locale.empty());
        EXPECT_EQ(found.country.empty(), locale.locale.empty());
    }
    std::string value;
    SetLocaleVariables(nullptr, nullptr, "zh_CN.UTF-8");
    EXPECT_FALSE(
        platform::GetUserDefaultLocaleInfo(platform::LocaleInfo::Iso639LanguageName, 2, value));
    EXPECT_TRUE(
        platform::GetUserDefaultLocaleInfo(platform::LocaleInfo::Iso639LanguageName, 3, value));
    EXPECT_EQ(value, "zh");
}

TEST(SystemLocale, TrackerTextWinsOnlyWhenItParses) {
    SetLocaleVariables(nullptr, nullptr, "zh_CN.UTF-8");
    EXPECT_EQ(localeInUse("en_US").locale, "en_US");
    EXPECT_EQ(localeInUse("en_US").country, "US");
    EXPECT_EQ(localeInUse("english").locale, "zh_CN");
    EXPECT_EQ(localeInUse("_US").locale, "zh_CN");  // no language: the system's values
    EXPECT_EQ(localeInUse("").language, "zh");
    EXPECT_FALSE(parseLocale("english"));
    EXPECT_EQ(parseLocale("a_b_c")->second, "b_c");
}

TEST(WindowsVersionName, FollowsTheVersionNumbers) {
    struct Case {
        unsigned major, minor, build;
        bool is64Bit, isR2;
        std::string name;
    };
    const Case cases[] = {
        {5, 0, 2195, false, false, "2K"},
        {5, 1, 2600, false, false, "XP"},
        {5, 2, 3790, true, false, "XP64"},
        {5, 2, 3790, false, true, "Server 2003 R2"},
        {5, 2, 3790, false, false, "Server 2003"},
        {5, 3, 0, false, false, "XP+"},
        {6, 0, 6000, true, false, "Vista64"},
        {6, 0, 6000, false, false, "Vista"},
        {6, 1, 7601, true, false, "7"},
        {6, 1, 7601, false, false, "7-32"},
        {6, 2, 9200, false, false, "8-32"},
        {6, 3, 9600, false, false, "8.1"},
        {6, 3, 9600, true, false, "8.1"},
        {6, 4, 0, false, false, "8.1+"},
        {10, 0, 19045, true, false, "10"},
        {10, 0, 22000, true, false, "11"},
        {10, 0, 0xF0005000 | 22631, true, false, "11"},
        {10, 1, 0, true, false, "11+"},
        {11, 2, 3, true, false, "11.2.3"},
        {4, 0, 1381, false, false, "XP-"},
    };
    for (const Case& version : cases) {
        EXPECT_EQ(windowsVersionName(version.major, version.minor, version.build, version.is64Bit,
                                     version.isR2),
                  version.name)
            << version.major << "." << version.minor << "." << version.build;
    }
}

TEST(SystemNames, ComeFromThePlatformLayer) {
    const platform::OsVersionInfo info = platform::QueryOsVersion();
    const auto [family, version] = getOsVersionName();
    EXPECT_EQ(family, "Linux");
    EXPECT_FALSE(version.empty());
    EXPECT_EQ(isWow64(), info.is64Bit);
    EXPECT_EQ(getUserAgent(), "Mozilla/5.0(Linux " + version + "; " +
                                  (info.is64Bit ? "Linux64" : "Linux32") + ";)");
}

TEST(DistinctId, IsAnUpperCaseGuidOrTheTwisterFallback) {
    const std::regex guid("[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}");
    const std::string first = newDistinctId();
    EXPECT_TRUE(std::regex_match(first, guid)) << first;
    EXPECT_NE(newDistinctId(), first);
    // The fallback's fourth group is 0x4000 plus 12 bits, its fifth 32768 plus less than 16383.
    const std::regex fallback("[0-9a-f]+-[0-9a-f]+-4[0-9a-f]{3}-[89a-b][0-9a-f]{3}-[0-9a-f]+");
    const std::string twister = fallbackDistinctId();
    EXPECT_TRUE(std::regex_match(twister, fallback)) << twister;
    EXPECT_NE(fallbackDistinctId(), twister);
}

TEST(ScreenSize, IsZeroWithoutADisplayAndTheDummyScreenOtherwise) {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    setenv("SDL_VIDEODRIVER", "offscreen-none", 1);
    EXPECT_EQ(platform::GetSystemMetrics(platform::SystemMetric::ScreenWidth), 0);
    EXPECT_EQ(platform::GetSystemMetrics(platform::SystemMetric::ScreenHeight), 0);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    EXPECT_GT(platform::GetSystemMetrics(platform::SystemMetric::ScreenWidth), 0);
    EXPECT_GT(platform::GetSystemMetrics(platform::SystemMetric::ScreenHeight), 0);
}

}  // namespace
