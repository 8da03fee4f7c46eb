#include "setup/uninstaller.h"

#include <gtest/gtest.h>

#include <fstream>

#include "event_recorder.h"
#include "platform/text.h"
#include "scratch_home.h"
#include "script_file.h"
#include "wide_path.h"

namespace {

namespace fs = std::filesystem;
using test_support::ReadLines;
using test_support::Wide;
using test_support::WriteShellScript;

class UninstallerRun : public ::testing::Test {
protected:
    fs::path Uninstaller(const std::string& body) {
        const fs::path path = home.tmp() / "Brushwell_un_asa.exe";
        WriteShellScript(path, body);
        return path;
    }

    Events Run(const fs::path& exe, const std::wstring& oldDir = L"/opt/Brushwell") {
        EventRecorder recorder;
        {
            CUnInstaller uninstaller(recorder.Callback(), Wide(exe), oldDir);
            uninstaller.Start();
        }
        return recorder.Events();
    }

    test_support::ScratchHome home;
};

TEST_F(UninstallerRun, VerdictsAndTheirAbsence) {
    struct Case {
        std::string body;
        Events events;
    };
    const Case cases[] = {
        {"exit 0\n", {{5002, 0.0, L""}, {5003, 1.0, L""}}},
        {"echo 'State= Success\r'\n", {{5002, 0.0, L""}, {5003, 0.0, L""}}},
        {"echo 'Progress=0.5'\nsleep 0.1\necho 'Error=locked\r'\n",
         {{5002, 0.0, L""}, {5002, 0.5, L""}, {5005, 0.0, L"locked\r"}}},
        // Reading goes on after the verdict until the uninstaller ends.
        {"echo 'State=Fail'\nsleep 0.2\necho 'Progress=0.9'\n",
         {{5002, 0.0, L""}, {5005, 0.0, L"安装包卸载失败"}, {5002, 0.9, L""}}},
        {"echo 'Encode=UTF8'\nsleep 0.1\nprintf 'Error=\\345\\215\\270\\n'\n",
         {{5002, 0.0, L""}, {5005, 0.0, L"卸"}}},
    };
    for (const Case& c : cases) EXPECT_EQ(Run(Uninstaller(c.body)), c.events) << c.body;
}

TEST_F(UninstallerRun, ReceivesTheFolderLastAndUnquoted) {
    const fs::path record = home.tmp() / "argv.txt";
    const fs::path exe = Uninstaller("for a in \"$@\"; do printf '%s\\n' \"$a\" >> '" +
                                     record.string() + "'; done\n");
    Run(exe, L"/home/u/my apps/Brushwell");
    const std::vector<std::string> argv = ReadLines(record);
    ASSERT_EQ(argv.size(), 6u);
    EXPECT_EQ(argv[0], "/S");
    EXPECT_TRUE(argv[1] == "-adminact=true" || argv[1] == "-adminact=false") << argv[1];
    EXPECT_TRUE(argv[2] == "-authorizationact=true" || argv[2] == "-authorizationact=false");
    EXPECT_EQ(argv[3], "-console=show");
    EXPECT_EQ(argv[4], "_?=/home/u/my");
    EXPECT_EQ(argv[5], "apps/Brushwell");
}

TEST_F(UninstallerRun, OutputWrittenJustBeforeTheEndIsStillRead) {
    // 60 KiB written at once fits the pipe, so the uninstaller is gone while
    // most of it is still unread; the verdict sits at its very end.
    const fs::path filler = home.tmp() / "filler.txt";
    {
        std::ofstream out(filler);
        for (int i = 0; i < 4000; ++i) out << "Note=" << i << "\n";
        out << "State=Fail\n";
    }
    const fs::path exe = Uninstaller("cat '" + filler.string() + "'\n");
    for (int attempt = 0; attempt < 5; ++attempt) {
        EXPECT_EQ(Run(exe), (Events{{5002, 0.0, L""}, {5005, 0.0, L"安装包卸载失败"}}));
    }
}

TEST_F(UninstallerRun, FloodOnStandardErrorNeverBlocks) {
    EXPECT_EQ(Run(Uninstaller("head -c 1048576 /dev/zero | tr '\\0' e >&2\n"
                              "echo 'State=Success'\n")),
              (Events{{5002, 0.0, L""}, {5003, 0.0, L""}}));
}

TEST_F(UninstallerRun, MissingFileOrUnlaunchableLine) {
    EXPECT_EQ(Run(home.tmp() / "Brushwell_un_asa.exe"),
              (Events{{5004, 1.0, L"可执行卸载文件不存在"}}));
    const fs::path exe = Uninstaller("exit 0\n");
    EXPECT_EQ(Run(exe, L"/opt/" + std::wstring(1000, L'd')),
              (Events{{5002, 0.0, L""}, {5004, 2.0, L""}}));
}

}  // namespace
