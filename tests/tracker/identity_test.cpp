#include "source/src/identity.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/profile.h"
#include "platform/text.h"
#include "scratch_home.h"

namespace {

using namespace zerra::analytics;

std::string Value(const std::string& file, const wchar_t* section, const wchar_t* key) {
    return platform::WideToMultiByte(
        platform::GetPrivateProfileString(section, key, L"", 128,
                                          platform::MultiByteToWide(file, 0)),
        0);
}

class Identity : public testing::Test {
protected:
    void WriteConfiguration(const std::string& text) { std::ofstream(file_) << text; }

    test_support::ScratchHome home_;
    std::string file_ = (home_.data() / "app_ZRSConfigure.ini").string();
};

TEST_F(Identity, DefaultLocationIsBelowTheLocalDataFolder) {
    const std::string exeFolder = home_.tmp().string();
    const ConfigurationPaths paths = locateConfiguration("Brushwell.downloader", exeFolder);
    const std::string expected = home_.data().string() + "/ZRLocal/Brushwell.downloader/";
    EXPECT_EQ(paths.dataDirectory, expected);
    EXPECT_EQ(paths.configurationFile, expected + "Brushwell.downloader_ZRSConfigure.ini");
    EXPECT_EQ(paths.logFile, expected + "Brushwell.downloader_ZRSLog.txt");
    EXPECT_TRUE(std::filesystem::is_directory(expected));
}

TEST_F(Identity, SetIniBesideTheExecutableNamesTheFile) {
    const std::string exeFolder = home_.tmp().string();
    const std::string target = home_.root().string() + "\\x/deeper\\cfg.ini";
    std::ofstream(exeFolder + "/set.ini") << "[install]\nZRAnalyticsIni = " << target << "\n";
    const ConfigurationPaths paths = locateConfiguration("App", exeFolder);
    EXPECT_EQ(paths.configurationFile, home_.root().string() + "/x/deeper/cfg.ini");
    EXPECT_EQ(paths.dataDirectory, home_.root().string() + "/x/deeper/");
    EXPECT_EQ(paths.logFile, home_.root().string() + "/x/deeper/App_ZRSLog.txt");
    EXPECT_TRUE(std::filesystem::is_directory(home_.root() / "x" / "deeper"));

    // A value without any separator is no path: the default place is used.
    std::ofstream(exeFolder + "/set.ini") << "[Install]\nZRAnalyticsIni=cfg.ini\n";
    EXPECT_EQ(locateConfiguration("App", exeFolder).dataDirectory,
              home_.data().string() + "/ZRLocal/App/");
}

TEST_F(Identity, MissingFileGetsANewDistinctIdThatIsSaved) {
    const IdentityState identity = loadIdentity(file_);
    EXPECT_EQ(identity.DistinctId.size(), 36u);
    EXPECT_FALSE(identity.isLogined);
    EXPECT_EQ(Value(file_, L"Base", L"DistinctId"), identity.DistinctId);
    EXPECT_EQ(Value(file_, L"Base", L"isLogined"), "NG");
    EXPECT_EQ(loadIdentity(file_).DistinctId, identity.DistinctId);
}

TEST_F(Identity, OnlyTheExactOkMeansLoggedIn) {
    const std::pair<std::string, bool> cases[] = {
        {"OK", true}, {"ok", false}, {"\"OK \"", false}, {"NG", false}, {"", false}};
    for (const auto& [value, loggedIn] : cases) {
        WriteConfiguration("[Base]\nDistinctId=D\nUserId=U\nUserVipLevel=2\nisLogined=" + value +
                           "\n");
        const IdentityState identity = loadIdentity(file_);
        EXPECT_EQ(identity.isLogined, loggedIn) << value;
        EXPECT_EQ(identity.PrimaryDistinctId, "D");
        EXPECT_EQ(identity.UserVipLevel, 2);
    }
}

TEST_F(Identity, AnotherEndpointStartsOverFromThePrimaryId) {
    WriteConfiguration(
        "[Base]\nDistinctId=user-1\nPrimaryDistinctId=P-1\nUserId=user-1\nUserVipLevel=1\n"
        "URL=https://old.example/sa\nisLogined=OK\n");
    IdentityState identity = loadIdentity(file_);
    applyEndpoint(file_, "http://127.0.0.1:1/sa?project=pc", identity);
    EXPECT_FALSE(identity.isLogined);
    EXPECT_EQ(identity.UserId, "");
    EXPECT_EQ(identity.DistinctId, "P-1");
    EXPECT_EQ(Value(file_, L"Base", L"URL"), "http://127.0.0.1:1/sa?project=pc");
    EXPECT_EQ(Value(file_, L"Base", L"DistinctId"), "P-1");
    EXPECT_EQ(Value(file_, L"Base", L"isLogined"), "NG");

    // The same endpoint again keeps a logged-in user as it is.
    WriteConfiguration(
        "[Base]\nDistinctId=user-1\nPrimaryDistinctId=P-1\nUserId=user-1\n"
        "URL=http://127.0.0.1:1/sa\nisLogined=OK\n");
    identity = loadIdentity(file_);
    applyEndpoint(file_, "http://127.0.0.1:1/sa", identity);
    EXPECT_TRUE(identity.isLogined);
    EXPECT_EQ(identity.DistinctId, "user-1");
}

TEST_F(Identity, SaveWritesTheBaseKeysAndUninstallInfoItsOwnSection) {
    IdentityState identity;
    identity.DistinctId = "D";
    identity.PrimaryDistinctId = "P";
    identity.UserVipLevel = 3;
    identity.URL = "u";
    saveIdentity(file_, identity);
    writeUninstallInfo(file_, "installer", "App", "1.0");
    std::ifstream in(file_);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_NE(text.find("DistinctId=D"), std::string::npos) << text;
    EXPECT_LT(text.find("DistinctId=D"), text.find("PrimaryDistinctId=P"));
    EXPECT_LT(text.find("UserVipLevel=3"), text.find("URL=u"));
    EXPECT_EQ(Value(file_, L"UninstallInfo", L"AppStore"), "installer");
    EXPECT_EQ(Value(file_, L"UninstallInfo", L"AppVersion"), "1.0");
}

}  // namespace
