#include "utils/environment_probes.h"

#include <gtest/gtest.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "run_process.h"
#include "scratch_home.h"
#include "utils/text_conversion.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The snapshot sees a process only once it runs its own program.
uint32_t FindSoon(const std::wstring& name, int expectedPid) {
    for (int i = 0; i < 200; ++i) {
        const uint32_t pid = FindProcessByName(name);
        if (pid == static_cast<uint32_t>(expectedPid)) return pid;
        std::this_thread::sleep_for(10ms);
    }
    return FindProcessByName(name);
}

TEST(FindProcessByName, FindsARunningProgramByItsExactName) {
    test_support::ScratchHome home;
    // Names no other test runs: the lookup sees every process of the machine,
    // and the product's own names would stop other tests' installs.
    const fs::path exe = home.tmp() / "LookupTarget.exe";
    fs::copy_file("/bin/sleep", exe);
    test_support::BackgroundProcess product({exe.string(), "30"});
    EXPECT_EQ(FindSoon(L"LookupTarget.exe", product.pid()), static_cast<uint32_t>(product.pid()));
    EXPECT_EQ(FindProcessByName(L"lookuptarget.exe"), 0u);
    EXPECT_EQ(FindProcessByName(L"LookupTarget"), 0u);
    EXPECT_EQ(FindProcessByName(L""), 0u);
}

TEST(FindProcessByName, FindsAScriptStartedThroughItsInterpreter) {
    test_support::ScratchHome home;
    // The kernel names the process after the first 15 bytes of the script.
    const fs::path script = home.tmp() / "LookupTarget_script.exe";
    std::ofstream(script) << "#!/bin/sh\nsleep 30\n";
    fs::permissions(script, fs::perms::owner_all);
    test_support::BackgroundProcess uninstaller({script.string()});
    EXPECT_EQ(FindSoon(L"LookupTarget_script.exe", uninstaller.pid()),
              static_cast<uint32_t>(uninstaller.pid()));
    EXPECT_EQ(FindProcessByName(L"LookupTarget_sc"), 0u);
}

// 32 hexadecimal digits, upper case but for the third group (digits 12 to 15).
bool HasDeviceIdShape(const std::wstring& id) {
    if (id.size() != 32) return false;
    for (size_t i = 0; i < id.size(); ++i) {
        const wchar_t c = id[i];
        const bool lowerGroup = i >= 12 && i < 16;
        const bool letter = lowerGroup ? (c >= L'a' && c <= L'f') : (c >= L'A' && c <= L'F');
        if (!letter && !(c >= L'0' && c <= L'9')) return false;
    }
    return true;
}

TEST(NewDeviceId, GivesFreshHexadecimalIdentifiers) {
    const std::wstring first = NewDeviceId();
    const std::wstring second = NewDeviceId();
    EXPECT_TRUE(HasDeviceIdShape(first)) << ToNarrow(first, kCodePageUtf8);
    EXPECT_TRUE(HasDeviceIdShape(second)) << ToNarrow(second, kCodePageUtf8);
    EXPECT_NE(first, second);
    // The version-4 GUID shows in the third group.
    EXPECT_EQ(first[12], L'4');
}

TEST(Administrator, AnswersForThisProcessAndAccounts) {
    EXPECT_EQ(IsProcessAdmin(), ::geteuid() == 0);
    EXPECT_TRUE(IsAdminAccount(L"root"));
    EXPECT_FALSE(IsAdminAccount(L"nobody"));
    EXPECT_FALSE(IsAdminAccount(L""));
    EXPECT_FALSE(IsAdminAccount(L"no-such-user-here"));
}

TEST(Administrator, ConsoleUserIsTheSudoUserOrTheRealUser) {
    test_support::ScratchHome home;
    std::wstring name;
    setenv("SUDO_USER", "alice", 1);
    ASSERT_TRUE(GetConsoleUserName(name));
    EXPECT_EQ(name, L"alice");
    unsetenv("SUDO_USER");
    ASSERT_TRUE(GetConsoleUserName(name));
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(name == L"root", ::getuid() == 0);
}

TEST(Is64BitWindows, FollowsTheMachine) {
    utsname name{};
    ASSERT_EQ(::uname(&name), 0);
    EXPECT_EQ(Is64BitWindows(), std::string(name.machine).find("64") != std::string::npos);
}

}  // namespace
