#include "platform/process.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/text.h"
#include "scratch_home.h"
#include "script_file.h"
#include "wide_path.h"

namespace {

using test_support::ReadLines;
using test_support::Wide;
using test_support::WriteShellScript;

// A child with its three standard handles on pipes; the parent keeps its ends.
struct PipedChild {
    platform::PipeHandle inRead, inWrite, outRead, outWrite, errRead, errWrite;
    platform::ProcessInformation info;

    bool Launch(const std::wstring& commandLine) {
        if (!platform::CreatePipe(inRead, inWrite) || !platform::CreatePipe(outRead, outWrite) ||
            !platform::CreatePipe(errRead, errWrite)) {
            return false;
        }
        const bool started =
            platform::CreateProcess(commandLine, {inRead, outWrite, errWrite}, info);
        platform::CloseHandle(inRead);
        platform::CloseHandle(outWrite);
        platform::CloseHandle(errWrite);
        return started;
    }

    std::string ReadAll(platform::PipeHandle from) {
        std::string text;
        char buffer[1024];
        uint32_t got = 0;
        while (platform::ReadFile(from, buffer, sizeof buffer, got)) text.append(buffer, got);
        return text;
    }

    ~PipedChild() {
        for (auto* handle : {&inRead, &inWrite, &outRead, &outWrite, &errRead, &errWrite}) {
            platform::CloseHandle(*handle);
        }
        platform::WaitForProcess(info);
        platform::CloseProcessHandles(info);
    }
};

TEST(CreateProcess, ReceivesTheSplitArgumentsAndIsMadeRunnable) {
    test_support::ScratchHome home;
    const auto folder = home.tmp() / "pack age";
    std::filesystem::create_directories(folder);
    const auto script = folder / "__Package_Brushwell.exe";
    const auto record = home.tmp() / "argv.txt";
    WriteShellScript(script, "for a in \"$0\" \"$@\"; do printf '%s\\n' \"$a\" >> '" +
                                 record.string() + "'; done\n");

    PipedChild child;
    ASSERT_TRUE(child.Launch(L"\"" + Wide(script) +
                             L"\" /S -inslang=\"zh-CN\" \"a \\\"quoted\\\" word\" /D=C:\\x y"));
    ASSERT_TRUE(platform::WaitForProcess(child.info));
    EXPECT_EQ(ReadLines(record), (std::vector<std::string>{script.string(), "/S", "-inslang=zh-CN",
                                                           "a \"quoted\" word", "/D=C:\\x", "y"}));
    struct stat info;
    ASSERT_EQ(stat(script.c_str(), &info), 0);
    EXPECT_TRUE(info.st_mode & S_IXUSR);
}

TEST(CreateProcess, OutputErrorAndExitCodeComeBackThroughThePipes) {
    test_support::ScratchHome home;
    const auto script = home.tmp() / "tool.exe";
    WriteShellScript(script, "echo out-line\necho err-line >&2\nread answer\nexit 3\n");

    PipedChild child;
    ASSERT_TRUE(child.Launch(Wide(script)));
    uint32_t exitCode = 0;
    ASSERT_TRUE(platform::GetExitCodeProcess(child.info, exitCode));
    EXPECT_EQ(exitCode, platform::kStillActive);  // it waits on its input
    platform::CloseHandle(child.inWrite);         // the read gets end-of-file
    EXPECT_EQ(child.ReadAll(child.outRead), "out-line\n");
    EXPECT_EQ(child.ReadAll(child.errRead), "err-line\n");
    ASSERT_TRUE(platform::WaitForProcess(child.info));
    ASSERT_TRUE(platform::GetExitCodeProcess(child.info, exitCode));
    EXPECT_EQ(exitCode, 3u);
    uint32_t available = 7;
    EXPECT_FALSE(platform::PeekNamedPipe(child.outRead, available));
    EXPECT_EQ(available, 0u);
}

TEST(CreateProcess, PeekSeesBufferedBytesBeforeTheEnd) {
    test_support::ScratchHome home;
    const auto script = home.tmp() / "tool.exe";
    WriteShellScript(script, "printf 'twelve bytes'\n");

    PipedChild child;
    ASSERT_TRUE(child.Launch(Wide(script)));
    ASSERT_TRUE(platform::WaitForProcess(child.info));
    uint32_t available = 0;
    ASSERT_TRUE(platform::PeekNamedPipe(child.outRead, available));
    EXPECT_EQ(available, 12u);
    EXPECT_EQ(child.ReadAll(child.outRead), "twelve bytes");
    EXPECT_FALSE(platform::PeekNamedPipe(child.outRead, available));
}

TEST(CreateProcess, InheritsNoOtherDescriptorOfTheParent) {
    test_support::ScratchHome home;
    const auto script = home.tmp() / "sleeper.exe";
    WriteShellScript(script, "sleep 5\n");
    platform::PipeHandle extraRead, extraWrite;
    ASSERT_TRUE(platform::CreatePipe(extraRead, extraWrite));

    PipedChild child;
    ASSERT_TRUE(child.Launch(Wide(script)));
    platform::CloseHandle(extraWrite);
    // Had the child inherited the write end, this read would wait for it.
    char byte;
    uint32_t got = 0;
    EXPECT_FALSE(platform::ReadFile(extraRead, &byte, 1, got));
    uint32_t exitCode = 0;
    ASSERT_TRUE(platform::GetExitCodeProcess(child.info, exitCode));
    EXPECT_EQ(exitCode, platform::kStillActive);
    platform::CloseHandle(extraRead);
    kill(static_cast<pid_t>(child.info.processId), SIGTERM);
    ASSERT_TRUE(platform::WaitForProcess(child.info));
    ASSERT_TRUE(platform::GetExitCodeProcess(child.info, exitCode));
    EXPECT_EQ(exitCode, 128u + SIGTERM);
}

TEST(CreateProcess, FailsForWhatCannotBeStarted) {
    test_support::ScratchHome home;
    const auto notAProgram = home.tmp() / "data.bin";
    WriteShellScript(notAProgram, "exit 0\n");  // no .exe name: stays without execute bits
    for (const std::wstring& commandLine :
         {std::wstring(L"\"") + Wide(home.tmp() / "missing.exe") + L"\" /S", Wide(notAProgram),
          std::wstring(L"\"\" /S")}) {
        PipedChild child;
        EXPECT_FALSE(child.Launch(commandLine)) << platform::WideToMultiByte(commandLine, 0);
    }
}

}  // namespace
