#include "setup/installer.h"

#include <gtest/gtest.h>

#include <fstream>

#include "app/install_settings.h"
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

std::wstring Quoted(const fs::path& path) { return L"\"" + Wide(path) + L"\""; }

// Runs one package script to its end and returns what the driver reported.
Events RunPackage(const fs::path& package, const std::wstring& installDir = L"/opt/x") {
    EventRecorder recorder;
    {
        CInstaller installer(recorder.Callback(), Quoted(package), installDir);
        installer.Configure({installDir, true, true, true, true, L""});
        installer.Start();
    }  // destruction waits for the reading thread
    return recorder.Events();
}

class InstallerRun : public ::testing::Test {
protected:
    fs::path Package(const std::string& body) {
        const fs::path path = home.tmp() / "__Package_Brushwell.exe";
        WriteShellScript(path, body);
        return path;
    }

    test_support::ScratchHome home;
};

TEST(InstallerCommandLine, PiecesInTheirOrder) {
    struct Case {
        std::wstring dir, language, instCmd;
        bool dsc, ssc, admin, authorization;
        std::wstring expected;
    };
    const std::wstring base = L"\"/t/__Package_Brushwell.exe\" /S -console=show -version=1.0.0";
    const Case cases[] = {
        {L"/opt/Brushwell", L"zh-CN", L"", true, false, true, true,
         base + L" -adminact=true -authorizationact=true -dsc=true -ssc=false -inslang=\"zh-CN\""
                L" -instdir=\"/opt/Brushwell\" /D=/opt/Brushwell"},
        {L"/home/u/my apps/Brushwell", L"", L"-channel=demo -x=\"a b\"", false, true, false, false,
         base + L" -adminact=false -authorizationact=false -dsc=false -ssc=true"
                L" -channel=demo -x=\"a b\" -instdir=\"/home/u/my apps/Brushwell\""
                L" /D=/home/u/my apps/Brushwell"},
        {L"", L"", L"", true, true, false, true,
         base + L" -adminact=false -authorizationact=true -dsc=true -ssc=true"},
    };
    std::wstring& instCmd = InstallSettings::Instance().InstCmd;
    for (const Case& c : cases) {
        instCmd = c.instCmd;
        EventRecorder recorder;
        CInstaller installer(recorder.Callback(), L"\"/t/__Package_Brushwell.exe\"", L"");
        installer.Configure({c.dir, c.dsc, c.ssc, c.admin, c.authorization, c.language});
        installer.Start();
        EXPECT_EQ(installer.CommandLine(), c.expected);
    }
    instCmd.clear();
}

TEST_F(InstallerRun, PackageReceivesTheArgumentsWithTheFolderLast) {
    const fs::path record = home.tmp() / "argv.txt";
    const fs::path package =
        Package("for a in \"$@\"; do printf '%s\\n' \"$a\" >> '" + record.string() + "'; done\n");
    EventRecorder recorder;
    {
        CInstaller installer(recorder.Callback(), Quoted(package), L"");
        installer.Configure({L"/home/u/my apps/Brushwell", true, false, true, false, L"zh-TW"});
        installer.Start();
    }
    EXPECT_EQ(ReadLines(record),
              (std::vector<std::string>{"/S", "-console=show", "-version=1.0.0", "-adminact=true",
                                        "-authorizationact=false", "-dsc=true", "-ssc=false",
                                        "-inslang=zh-TW", "-instdir=/home/u/my apps/Brushwell",
                                        "/D=/home/u/my", "apps/Brushwell"}));
    EXPECT_EQ(recorder.Codes(), (std::vector<int32_t>{2001, 2002, 2003}));
}

TEST(InstallerParse, StatusLinesGiveTheirEvents) {
    struct Case {
        std::wstring text;
        int result;
        Events events;
    };
    const std::wstring longPath(800, L'p');
    const Case cases[] = {
        {L"Progress=0.25\nProgress=0.5\n", 0, {{2002, 0.25, L""}, {2002, 0.5, L""}}},
        {L"Progress=half\nProgress=\n", 0, {{2002, 0.0, L""}, {2002, 0.0, L""}}},
        {L"InstPath=/opt/B\r\n", 0, {{3000, 0.0, L"/opt/B\r"}}},
        {L"InstPath=" + longPath + L"\n", 0, {{3000, 0.0, longPath.substr(0, 771)}}},
        {L"State= Success \r\nStartUrl=https://example.org/\n",
         1,
         {{2003, 0.0, L""}, {3004, 0.0, L"https://example.org/"}}},
        {L"State=Fail\n", 1000, {{2004, 0.0, L"安装包安装失败"}}},
        {L"State=success\nState=Done\n", 0, {}},
        {L"Error=磁盘已满\n", 1000, {{2004, 1000.0, L"磁盘已满"}}},
        {L"State=Success\nError=late\n", 1000, {{2003, 0.0, L""}, {2004, 1000.0, L"late"}}},
        {L"ExePath=/o/Brushwell.exe\nStartExe=/o/b\nUninstExePath=/o/u\nUninstExe=/o/v\n"
         L"UninstEp=/o/uninst.ep\n",
         0,
         {{3001, 0.0, L"/o/Brushwell.exe"},
          {3001, 0.0, L"/o/b"},
          {3002, 0.0, L"/o/u"},
          {3002, 0.0, L"/o/v"},
          {3003, 0.0, L"/o/uninst.ep"}}},
        {L"TopShowDetention=1500\nFinsihCloseDetention=-1\nFinishCloseDetention=9\n"
         L"TopShowDetention=soon\n",
         0,
         {{3007, 1500.0, L""}, {3008, 4294967295.0, L""}, {3007, 0.0, L""}}},
        {L"StartupStyle=AutoStartup\nStartupStyle= UserStartup\r\nStartupStyle=NonStartup\n"
         L"StartupStyle=Other\n",
         0,
         {{3005, 1.0, L""}, {3005, 2.0, L""}, {3005, 0.0, L""}, {3005, 0.0, L""}}},
        {L"Message=请重启\nInstallVersion=1.7.9\nprogress=0.5\n Progress=0.5\nProg",
         0,
         {{3009, 0.0, L"请重启"}}},
    };
    for (const Case& c : cases) {
        EventRecorder recorder;
        CInstaller installer(recorder.Callback(), L"\"p\"", L"");
        EXPECT_EQ(installer.Parse(c.text), c.result)
            << platform::WideToMultiByte(c.text, platform::kCodePageUtf8);
        EXPECT_EQ(recorder.Events(), c.events)
            << platform::WideToMultiByte(c.text, platform::kCodePageUtf8);
    }
}

TEST(InstallerParse, EncodeSetsTheCodePage) {
    const std::pair<std::wstring, unsigned> cases[] = {
        {L"Encode=UTF8\n", 65001}, {L"Encode= ACP \r\n", 0}, {L"Encode=936\n", 936},
        {L"Encode=gbk\n", 0},      {L"Encode=utf8\n", 0},
    };
    for (const auto& [text, codePage] : cases) {
        EventRecorder recorder;
        CInstaller installer(recorder.Callback(), L"\"p\"", L"");
        installer.Parse(L"Encode=1252\n");
        installer.Parse(text);
        EXPECT_EQ(installer.CodePage(), codePage);
        EXPECT_TRUE(recorder.Events().empty());
    }
}

TEST_F(InstallerRun, EndsOnTheVerdictAndWaitsForThePackage) {
    const fs::path done = home.tmp() / "done";
    const Events events = RunPackage(
        Package("printf 'Progress=0.4\\nState=  Success \\r\\nStartUrl=https://example.org/\\n'\n"
                "sleep 0.3\nprintf 'Progress=0.9\\n'\ntouch '" +
                done.string() + "'\n"));
    EXPECT_EQ(events, (Events{{2001, 0.0, L""},
                              {2002, 0.0, L""},
                              {2002, 0.4, L""},
                              {2003, 0.0, L""},
                              {3004, 0.0, L"https://example.org/"}}));
    EXPECT_TRUE(fs::exists(done));  // the driver waited for the package to end
}

TEST_F(InstallerRun, VerdictsAndTheirAbsence) {
    struct Case {
        std::string body;
        Events tail;  // the events after 2001 and 2002 (0.0)
    };
    const Case cases[] = {
        {"echo 'Progress=0.5'\nexit 0\n", {{2002, 0.5, L""}, {2003, 1.0, L""}}},
        {"exit 4\n", {{2003, 1.0, L""}}},
        {"echo 'State=Fail'\nexit 1\n", {{2004, 0.0, L"安装包安装失败"}}},
        {"printf 'Error=no space left\\r\\nProgress=0.9\\n'\nsleep 0.2\necho 'State=Success'\n",
         {{2004, 1000.0, L"no space left\r"}, {2002, 0.9, L""}}},
    };
    for (const Case& c : cases) {
        Events expected{{2001, 0.0, L""}, {2002, 0.0, L""}};
        expected.insert(expected.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(RunPackage(Package(c.body)), expected) << c.body;
    }
}

TEST_F(InstallerRun, ChunksAreParsedOnTheirOwnInTheirCodePage) {
    // "InstPath=" split across two writes is two lines; the GBK text decodes
    // only after Encode=936, the UTF-8 text only after Encode=UTF8.
    const Events events = RunPackage(Package(
        "printf 'Inst'\nsleep 0.3\nprintf 'Path=/a\\nEncode=936\\n'\nsleep 0.3\n"
        "printf 'Message=\\345\\256\\211\\350\\243\\205\\n'\nsleep 0.3\n"      // 安装 in UTF-8
        "printf 'Message=\\260\\262\\327\\260\\nEncode=UTF8\\n'\nsleep 0.3\n"  // 安装 in GBK
        "printf 'Message=\\345\\256\\211\\350\\243\\205\\n'\n"));
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[2].code, 3009);
    EXPECT_NE(events[2].text, L"安装");  // UTF-8 bytes read as GBK
    EXPECT_EQ(events[3], (RecordedEvent{3009, 0.0, L"安装"}));
    EXPECT_EQ(events[4], (RecordedEvent{3009, 0.0, L"安装"}));
    EXPECT_EQ(events[5], (RecordedEvent{2003, 1.0, L""}));
}

TEST_F(InstallerRun, FloodsOnEitherStreamNeverBlockThePackage) {
    // 1 MiB on standard error, and 1 MiB on standard output after the verdict.
    const Events events =
        RunPackage(Package("head -c 1048576 /dev/zero | tr '\\0' e >&2\necho 'State=Success'\n"
                           "head -c 1048576 /dev/zero | tr '\\0' o\n"));
    EXPECT_EQ(events.back(), (RecordedEvent{2003, 0.0, L""}));
}

TEST_F(InstallerRun, WhatCannotBeLaunchedFailsWithValueTwo) {
    const fs::path package = Package("exit 0\n");
    const Events failed{{2001, 0.0, L""}, {2002, 0.0, L""}, {2004, 2.0, L""}};
    EXPECT_EQ(RunPackage(home.tmp() / "missing.exe"), failed);
    // A line over 1023 characters fails instead of being cut.
    const std::wstring longDir = L"/opt/" + std::wstring(1000, L'd');
    EXPECT_EQ(RunPackage(package, longDir), failed);
}

TEST_F(InstallerRun, SecondStartWaitsForTheFirstAndKeepsTheCodePage) {
    // The first run declares GBK; the second prints GBK without saying so.
    const fs::path marker = home.tmp() / "first-run-done";
    const fs::path package = Package("if [ -e '" + marker.string() +
                                     "' ]; then\n"
                                     "  printf 'Message=\\260\\262\\327\\260\\n'\n"
                                     "else\n  echo 'Encode=936'\n  sleep 0.2\n  touch '" +
                                     marker.string() + "'\nfi\n");
    EventRecorder recorder;
    auto installer = std::make_unique<CInstaller>(recorder.Callback(), Quoted(package), L"/opt/x");
    installer->Start();
    installer->Start();
    installer.reset();
    EXPECT_EQ(recorder.Events(), (Events{{2001, 0.0, L""},
                                         {2002, 0.0, L""},
                                         {2003, 1.0, L""},
                                         {2001, 0.0, L""},
                                         {2002, 0.0, L""},
                                         {3009, 0.0, L"安装"},
                                         {2003, 1.0, L""}}));
}

}  // namespace
