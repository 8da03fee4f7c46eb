#include "app/install_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

#include "run_process.h"
#include "scratch_home.h"

namespace {

namespace fs = std::filesystem;
using Fields = std::map<std::string, std::string>;

Fields ParseFields(const std::string& output) {
    Fields fields;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        const size_t equals = line.find('=');
        fields[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return fields;
}

// A copy of the probe executable in a folder of its own, with or without a
// configuration file beside it, run with a real command line.
Fields RunProbe(const std::optional<std::string>& config, const std::vector<std::string>& options,
                const std::string& configName = "ZerraInstallerConfig.ini") {
    test_support::ScratchHome home;
    const fs::path exe = home.tmp() / "brushwell-setup";
    fs::copy_file(SETTINGS_PROBE_PATH, exe);
    if (config) std::ofstream(home.tmp() / configName, std::ios::binary) << *config;
    std::vector<std::string> argv{exe.string()};
    argv.insert(argv.end(), options.begin(), options.end());
    const test_support::ProcessResult result = test_support::RunProcess(argv);
    EXPECT_EQ(result.exitCode, 0);
    return ParseFields(result.output);
}

const std::string kDefaultUrl = "http://dl.zerrasoft.com/software/351";

TEST(InstallSettings, DefaultsFileAndOptionsInARealProcess) {
    struct Case {
        const char* name;
        std::optional<std::string> config;
        std::vector<std::string> options;
        Fields expected;
        std::string configName = "ZerraInstallerConfig.ini";
    };
    const std::string longUrl = "http://h/" + std::string(291, 'u');
    const Case cases[] = {
        {"no file keeps every default",
         std::nullopt,
         {},
         {{"ProductName", "Brushwell"},
          {"ProductVersion", "1.7.9"},
          {"ExeFileName", "brushwell-setup"},
          {"DlAppNameSuffix", ".downloader"},
          {"DlAppVersion", ""},
          {"InstCmd", ""},
          {"DownloadUrl", kDefaultUrl},
          {"DownloadType", "1"},
          {"IsCheckNet", "0"},
          {"IsEnableAppAnalytics", "1"},
          {"DownloadScale", "0.69999999999999996"},
          {"HttpLibraryReady", "1"},
          {"Language", "0"},
          {"InsNew", "0"}}},
        {"a file with only the section checks the network",
         "[Install]\n",
         {},
         {{"IsCheckNet", "1"},
          {"IsEnableAppAnalytics", "1"},
          {"DownloadUrl", kDefaultUrl},
          {"DownloadType", "1"},
          {"DownloadScale", "0.69999999999999996"}}},
        {"every key of the file",
         "[Install]\r\nDownloadUrl=http://h/${ROUTE}/p/${ROUTE}\r\nDownloadType=3\r\n"
         "IsCheckNet=false\r\nIsEnableAppAnalytics=True\r\nDlAppNameSuffix=.x\r\n"
         "m_DlAppVersion=2.0\r\nDownloadScale=0.25\r\nInstCmd=/quick\r\n"
         "ProductName=Other\r\n",
         {},
         {{"DownloadUrl", "http://h/download_silent/p/download_silent"},
          {"DownloadType", "3"},
          {"IsCheckNet", "0"},
          {"IsEnableAppAnalytics", "0"},
          {"DlAppNameSuffix", ".x"},
          {"DlAppVersion", "2.0"},
          {"DownloadScale", "0.25"},
          {"InstCmd", "/quick"},
          {"ProductName", "Brushwell"}}},
        {"the file is found whatever the case of its name",
         "[install]\ndownloadtype=2\n",
         {},
         {{"DownloadType", "2"}},
         "zerrainstallerconfig.INI"},
        {"a long value is cut to 259 characters",
         "[Install]\nDownloadUrl=" + longUrl + "\n",
         {},
         {{"DownloadUrl", longUrl.substr(0, 259)}}},
        {"empty values are taken as they are",
         "[Install]\nDownloadUrl=\nDlAppNameSuffix=\nIsEnableAppAnalytics=\nDownloadScale=\n",
         {},
         {{"DownloadUrl", ""},
          {"DlAppNameSuffix", ""},
          {"IsEnableAppAnalytics", "0"},
          {"DownloadScale", "0"}}},
        {"numbers that are not numbers",
         "[Install]\nDownloadType=abc\nDownloadScale=letters\n",
         {},
         {{"DownloadType", "0"}, {"DownloadScale", "0"}}},
        {"numbers out of range keep the default",
         "[Install]\nDownloadScale=1e999\nDownloadType=12abc\n",
         {},
         {{"DownloadScale", "0.69999999999999996"}, {"DownloadType", "12"}}},
        {"a share beyond the bar keeps the default",
         "[Install]\nDownloadScale=-0.5\n",
         {},
         {{"DownloadScale", "0.69999999999999996"}}},
        {"invalid UTF-8 never stops start-up",
         "[Install]\nDlAppNameSuffix=a\xFF\xC3z\nDownloadType=\xFE\n",
         {"-dlappversion=\xC3\xA9\xFF"},
         {{"DlAppNameSuffix", "a\uFFFD\uFFFDz"},
          {"DownloadType", "0"},
          {"DlAppVersion", "\xC3\xA9\uFFFD"}}},
        {"the first of two options wins",
         std::nullopt,
         {"-downloadtype=3", "-downloadtype=2"},
         {{"DownloadType", "3"}}},
        {"options override the file",
         "[Install]\nIsCheckNet=true\nDownloadScale=0.6\nDownloadType=3\n",
         {"-ischecknet=TRUE", "-downloadscale=0.5", "-downloadtype=2", "-insnew=true",
          "-language=2", "-dlappnamesuffix=.s", "-instcmd=/a b", "-isenableappanalytics"},
         {{"IsCheckNet", "0"},
          {"DownloadScale", "0.5"},
          {"DownloadType", "2"},
          {"InsNew", "1"},
          {"Language", "2"},
          {"DlAppNameSuffix", ".s"},
          {"InstCmd", "/a b"},
          {"IsEnableAppAnalytics", "0"}}},
        {"unusable scales keep the value before them",
         "[Install]\nDownloadScale=0.6\n",
         {"-downloadscale=abc"},
         {{"DownloadScale", "0.59999999999999998"}}},
        {"scale out of range",
         std::nullopt,
         {"-downloadscale=1e999"},
         {{"DownloadScale", "0.69999999999999996"}}},
        {"scale not a share",
         std::nullopt,
         {"-downloadscale=nan"},
         {{"DownloadScale", "0.69999999999999996"}}},
        {"integer options",
         std::nullopt,
         {"-downloadtype=abc", "-language= 7x"},
         {{"DownloadType", "0"}, {"Language", "7"}}},
        {"integer options out of range keep the field",
         "[Install]\nDownloadType=3\n",
         {"-downloadtype=99999999999", "-language=-99999999999"},
         {{"DownloadType", "3"}, {"Language", "0"}}},
        {"url options",
         std::nullopt,
         {"-downloadurl=http://h/${ROUTE}?a=b=c", "-DownloadType=2", "downloadtype=2"},
         {{"DownloadUrl", "http://h/download_silent?a=b=c"}, {"DownloadType", "1"}}},
        {"an empty url option", std::nullopt, {"-downloadurl="}, {{"DownloadUrl", ""}}},
        {"a long option value is taken whole",
         std::nullopt,
         {"-instcmd=" + std::string(5000, 'i')},
         {{"InstCmd", std::string(5000, 'i')}}},
    };
    for (const Case& c : cases) {
        const Fields actual = RunProbe(c.config, c.options, c.configName);
        for (const auto& [field, value] : c.expected) {
            const auto found = actual.find(field);
            ASSERT_NE(found, actual.end()) << c.name << ": no " << field;
            EXPECT_EQ(found->second, value) << c.name << ": " << field;
        }
    }
}

TEST(ExpandRoute, ReplacesEveryPlaceholderByTheRouteOfTheVersion) {
    struct Case {
        std::wstring url, version, expected;
    };
    const Case cases[] = {
        {L"http://h/${ROUTE}/f", L"7", L"http://h/download_silent/f"},
        {L"http://h/${ROUTE}/f", L"XP", L"http://h/download_silent_xp/f"},
        {L"http://h/${ROUTE}/f", L"XP-", L"http://h/download_silent_xp/f"},
        {L"http://h/${ROUTE}/f", L"Server 2003", L"http://h/download_silent/f"},
        {L"${ROUTE}${ROUTE}", L"10", L"download_silentdownload_silent"},
        {L"http://h/$ROUTE/{ROUTE}", L"XP", L"http://h/$ROUTE/{ROUTE}"},
        {L"http://h/${${ROUTE}ROUTE}", L"10", L"http://h/${download_silentROUTE}"},
    };
    for (const Case& c : cases) EXPECT_EQ(ExpandRoute(c.url, c.version), c.expected);
    // The Linux version name holds no "XP".
    EXPECT_EQ(ExpandRoute(L"/${ROUTE}"), L"/download_silent");
}

}  // namespace
