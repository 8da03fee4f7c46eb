#include "platform/named_mutex.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "scratch_home.h"

namespace {

namespace fs = std::filesystem;

TEST(NamedMutex, OneOwnerAtATimeUntilClosed) {
    test_support::ScratchHome home;
    long firstError = -1, secondError = -1;
    platform::MutexHandle first = platform::CreateMutex(L"7C3E05B9F2A48D16_Test", firstError);
    ASSERT_TRUE(first.valid());
    EXPECT_TRUE(first.owned);
    EXPECT_EQ(firstError, 0);
    EXPECT_TRUE(fs::exists(home.runtime() / "7C3E05B9F2A48D16_Test.lock"));

    platform::MutexHandle second = platform::CreateMutex(L"7C3E05B9F2A48D16_Test", secondError);
    EXPECT_TRUE(second.valid());
    EXPECT_FALSE(second.owned);
    EXPECT_EQ(secondError, platform::kErrorAlreadyExists);
    platform::CloseHandle(second);
    EXPECT_FALSE(second.valid());

    platform::CloseHandle(first);
    platform::MutexHandle third = platform::CreateMutex(L"7C3E05B9F2A48D16_Test", secondError);
    EXPECT_TRUE(third.owned);
    EXPECT_EQ(secondError, 0);
    platform::CloseHandle(third);
}

TEST(NamedMutex, WithoutARuntimeFolderTheTempFolderHoldsItPerUser) {
    test_support::ScratchHome home;
    unsetenv("XDG_RUNTIME_DIR");
    long error = -1;
    platform::MutexHandle mutex = platform::CreateMutex(L"a/b", error);
    ASSERT_TRUE(mutex.owned);
    EXPECT_TRUE(fs::exists(home.tmp() / ("a_b." + std::to_string(::getuid()) + ".lock")));
    platform::CloseHandle(mutex);
}

TEST(NamedMutex, TheLockIsNotInheritedByChildren) {
    test_support::ScratchHome home;
    long error = -1;
    platform::MutexHandle mutex = platform::CreateMutex(L"Inherit", error);
    ASSERT_TRUE(mutex.valid());
    // Close-on-exec, so a product started later holds no copy of the lock.
    const std::string fdInfo = "/proc/self/fdinfo/" + std::to_string(mutex.descriptor);
    std::ifstream info(fdInfo);
    std::string key, flags;
    while (info >> key >> flags && key != "flags:") {
    }
    EXPECT_NE(std::stoul(flags, nullptr, 8) & 02000000, 0u) << flags;
    platform::CloseHandle(mutex);
}

}  // namespace
