#include "utils/install_location.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "platform/file_system.h"
#include "platform/profile.h"
#include "scratch_home.h"
#include "script_file.h"
#include "utils/hard_disk_manager.h"
#include "utils/install_folders.h"
#include "utils/install_paths.h"
#include "utils/install_record.h"
#include "wide_path.h"

namespace {

namespace fs = std::filesystem;
using test_support::Wide;

// Sets an environment variable for one test and restores it afterwards.
class EnvironmentValue {
public:
    EnvironmentValue(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~EnvironmentValue() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

// `text` has the shape of `pattern`: "9" a digit, "X" an upper-case and "x" a
// lower-case hexadecimal digit, anything else itself.
bool HasShape(const std::string& text, const std::string& pattern) {
    if (text.size() != pattern.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool digit = c >= '0' && c <= '9';
        switch (pattern[i]) {
            case '9':
                if (!digit) return false;
                break;
            case 'X':
                if (!digit && !(c >= 'A' && c <= 'F')) return false;
                break;
            case 'x':
                if (!digit && !(c >= 'a' && c <= 'f')) return false;
                break;
            default:
                if (c != pattern[i]) return false;
        }
    }
    return true;
}

void Touch(const fs::path& path) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "x";
}

TEST(InstallPaths, FoldersCompareByTheirComponents) {
    const std::tuple<std::wstring, std::wstring, bool> cases[] = {
        {L"/opt/Brushwell", L"/opt/Brushwell", true},
        {L"/opt/Brushwell", L"/opt/Brushwell/", true},
        {L"/opt//Brushwell", L"/opt/./Brushwell", true},
        {L"/opt/Brushwell", L"/opt/brushwell", false},
        {L"/opt/Brushwell", L"opt/Brushwell", false},
        {L"/opt/Brushwell", L"/opt/Brushwell/x", false},
        {L"", L"", false},
    };
    for (const auto& [a, b, same] : cases) {
        EXPECT_EQ(InstallPaths::SameFolder(a, b), same) << Wide(a) << " / " << Wide(b);
    }
    EXPECT_EQ(InstallPaths::Join(L"/tmp/", L"a"), L"/tmp/a");
    EXPECT_EQ(InstallPaths::Join(L"/tmp", L"a"), L"/tmp/a");
    EXPECT_EQ(InstallPaths::FolderOf(L"/home/u/Brushwell/uninst.ep"), L"/home/u/Brushwell");
    EXPECT_EQ(InstallPaths::FolderOf(L"/uninst.ep"), L"/");
}

TEST(InstallLocation, DefaultFolderFollowsTheRecordAndTheRights) {
    if (geteuid() != 0) GTEST_SKIP() << "the administrator cases need root (CI runs as root)";
    test_support::ScratchHome home;
    const std::wstring ownFolder = Wide(home.data() / "zerra" / "Brushwell");
    {
        // An administrator at the console in an elevated process: per user.
        EnvironmentValue sudoUser("SUDO_USER", nullptr);
        InstallLocation location;
        EXPECT_EQ(location.GetDefaultInstallDir(), ownFolder);
        EXPECT_TRUE(location.consoleUserIsAdmin);
        EXPECT_TRUE(location.processIsAdmin);
    }
    {
        // A standard user elevated with an administrator's credentials.
        EnvironmentValue sudoUser("SUDO_USER", "nobody");
        InstallLocation location;
        EXPECT_EQ(location.GetDefaultInstallDir(), L"/opt/Brushwell");
        EXPECT_FALSE(location.consoleUserIsAdmin);
    }
    EnvironmentValue sudoUser("SUDO_USER", nullptr);
    const fs::path recorded = home.home() / "apps" / "Brushwell";
    ASSERT_TRUE(WriteRegistryValue(L"InstallPath", Wide(recorded)));
    InstallLocation location;
    location.ReadInstallRecord();
    EXPECT_EQ(location.recordedUninstEp, Wide(recorded / "uninst.ep"));
    EXPECT_EQ(location.GetDefaultInstallDir(), ownFolder);  // no uninstaller there: afresh
    Touch(recorded / "uninst.ep");
    EXPECT_EQ(location.GetDefaultInstallDir(), Wide(recorded));
}

TEST(InstallLocation, TypedFolderGetsAFolderOfItsOwn) {
    test_support::ScratchHome home;
    InstallLocation location;
    const std::wstring defaultFolder = location.GetDefaultInstallDir();
    EXPECT_EQ(location.CustomInstallDir(defaultFolder), defaultFolder);
    EXPECT_EQ(location.CustomInstallDir(defaultFolder + L"/"), defaultFolder);
    EXPECT_EQ(location.CustomInstallDir(L"\\home\\u\\Apps"), L"/home/u/Apps/Brushwell");
    EXPECT_EQ(location.CustomInstallDir(L"/home/u/Apps/"), L"/home/u/Apps/Brushwell");
    EXPECT_TRUE(location.IsDefaultInstallDir(defaultFolder));
    EXPECT_FALSE(location.IsDefaultInstallDir(defaultFolder + L"/Brushwell"));
}

TEST(InstallLocation, OverrideIsDisabledOnlyByAnExactFalseInTheRecordedFolder) {
    test_support::ScratchHome home;
    const fs::path recorded = home.home() / "Brushwell";
    fs::create_directories(recorded);
    InstallLocation location;
    location.recordedInstallPath = Wide(recorded);
    const std::pair<const char*, bool> cases[] = {
        {"[Uninstall]\nIsOverride=false\n", true},  {"[uninstall]\nisoverride = \"false\"\n", true},
        {"[Uninstall]\nIsOverride=False\n", false}, {"[Uninstall]\nIsOverride=true\n", false},
        {"[Install]\nIsOverride=false\n", false},
    };
    for (const auto& [ini, disabled] : cases) {
        std::ofstream(recorded / "set.ini") << ini;
        EXPECT_EQ(location.IsOverrideDisabled(Wide(recorded)), disabled) << ini;
        EXPECT_FALSE(location.IsOverrideDisabled(Wide(home.home() / "Other")));
    }
    fs::remove(recorded / "set.ini");
    EXPECT_FALSE(location.IsOverrideDisabled(Wide(recorded)));
}

TEST(InstallLocation, RecordsAndSettingsFile) {
    test_support::ScratchHome home;
    const fs::path folder = home.home() / "my apps" / "Brushwell";
    fs::create_directories(folder);
    InstallLocation location;
    location.installDir = Wide(folder);
    location.WriteInstallRecord();  // no uninstaller yet: InstallPath only
    std::wstring value;
    EXPECT_TRUE(ReadRegistryValue(L"InstallPath", value));
    EXPECT_EQ(value, Wide(folder));
    EXPECT_FALSE(ReadRegistryValue(L"UnInstallEp", value));
    Touch(folder / "uninst.ep");
    location.WriteInstallRecord();
    EXPECT_TRUE(ReadRegistryValue(L"UnInstallEp", value));
    EXPECT_EQ(value, Wide(folder / "uninst.ep"));

    location.WriteInstallIni();
    const std::wstring ini = Wide(folder / "set.ini");
    auto read = [](const wchar_t* section, const wchar_t* key, const std::wstring& file) {
        return platform::GetPrivateProfileString(section, key, L"", 300, file);
    };
    EXPECT_EQ(read(L"Install", L"AppName", ini), L"Brushwell");
    EXPECT_EQ(read(L"Install", L"APPStore", ini), L"install_location_tests");
    const std::string deviceId = platform::WideToMultiByte(read(L"Install", L"DeviceID", ini), 0);
    EXPECT_TRUE(HasShape(deviceId, "XXXXXXXXXXXXxxxxXXXXXXXXXXXXXXXX")) << deviceId;
    const std::wstring marker = Wide(home.data() / "ZerraData" / "Brushwell" / "ZRAnalytics.ini");
    EXPECT_EQ(read(L"Install", L"ZRAnalyticsIni", ini), marker);
    const std::string time = platform::WideToMultiByte(read(L"Init", L"UpdateTime", marker), 0);
    EXPECT_TRUE(HasShape(time, "9999-99-99 99:99:99")) << time;
}

TEST(InstallFolders, TreesAreMadeTopDownWithinTheLimit) {
    test_support::ScratchHome home;
    const fs::path deep = home.home() / "a" / "b" / "c";
    EXPECT_TRUE(CreateDirectoryTree(Wide(deep)));
    EXPECT_TRUE(fs::is_directory(deep));
    EXPECT_TRUE(CreateDirectoryTree(Wide(deep)));  // exists: no error
    Touch(home.home() / "file");
    EXPECT_FALSE(CreateDirectoryTree(Wide(home.home() / "file" / "sub")));
    std::wstring tooLong = Wide(home.home() / "x") + L"/";
    while (tooLong.size() <= InstallPaths::kMaxPath) tooLong += L"y";
    EXPECT_EQ(tooLong.size(), 261u);
    EXPECT_FALSE(CreateDirectoryTree(tooLong));
    EXPECT_FALSE(fs::exists(home.home() / "x"));
    EXPECT_FALSE(CreateDirectoryTree(L""));
}

TEST(InstallFolders, WorkFolderIsPrivate) {
    test_support::ScratchHome home;
    const fs::path work = home.tmp() / "~ZerraTemp.E5D1730C4A9F2B68";
    EXPECT_EQ(GetTempWorkDir(), Wide(work) + L"/");
    EXPECT_EQ(fs::status(work).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(GetTempWorkDir(), Wide(work) + L"/");
    // Somebody else could swap the program run from it.
    fs::permissions(work, fs::perms::all);
    EXPECT_EQ(GetTempWorkDir(), L"");
}

TEST(HardDiskManager, OneGibibyteIsEnough) {
    const std::pair<uint64_t, bool> cases[] = {
        {1023ull << 20, false}, {(1ull << 30) - 1, false}, {1ull << 30, true}, {0, false}};
    for (const auto& [bytes, enough] : cases) EXPECT_EQ(Utils::HasRoomForInstall(bytes), enough);

    test_support::ScratchHome home;
    Utils::HardDiskManager disk;
    EXPECT_TRUE(disk.CheckFreeSpace(Wide(home.home() / "not" / "yet")));
    EXPECT_GT(disk.totalNumberOfBytes, 0u);
    EXPECT_LE(disk.freeBytesAvailable, disk.totalNumberOfFreeBytes);
}

}  // namespace
