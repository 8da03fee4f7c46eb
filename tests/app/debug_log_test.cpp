#include "app/debug_log.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <regex>
#include <sstream>
#include <thread>
#include <vector>

#include "trace_capture.h"

struct Downloader {
    static void Start() { DebugLog(L"DL_TYPE=%d\r\n", 1); }
    void Run() const {
        auto inner = [] { DebugLog(L"in lambda"); };
        inner();
    }
};

namespace {

const TraceCapture& capture = TraceCapture::Instance();

TEST(QualifiedFunctionName, StripsReturnTypeAndParameters) {
    struct Case {
        std::string_view pretty;
        std::string_view expected;
    };
    const Case cases[] = {
        {"void CDownloadInstaller::Start(const std::wstring&, int)", "CDownloadInstaller::Start"},
        {"static unsigned int Utils::Thread::CallBack(Utils::Thread*)", "Utils::Thread::CallBack"},
        {"int main()", "main"},
        {"std::map<int, std::basic_string<char> > CInstaller::Parse(std::string)",
         "CInstaller::Parse"},
        {"CInstaller::Start()::<lambda()>", "CInstaller::Start()::<lambda()>"},
        {"bool Skin::CControl::operator()(int) const", "Skin::CControl::operator()"},
        {"CInstaller::~CInstaller()", "CInstaller::~CInstaller"},
    };
    for (const Case& c : cases) EXPECT_EQ(QualifiedFunctionName(c.pretty), c.expected) << c.pretty;
}

TEST(DebugLog, LineHasTheExactPrefix) {
    const size_t mark = capture.Mark();
    Downloader::Start();
    const std::string line = capture.Since(mark);
    const std::regex prefix(R"(<P(\d{5,})><T(\d{5,})><\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}\.\d{3}>)"
                            R"(\(Downloader::Start\)<(\d{4,})>: DL_TYPE=1\r\n)");
    std::smatch match;
    ASSERT_TRUE(std::regex_match(line, match, prefix)) << line;
    EXPECT_EQ(std::stoi(match[1]), getpid());
}

TEST(DebugLog, TextWithoutLineEndIsJoinedByTheNextLine) {
    const size_t mark = capture.Mark();
    Downloader{}.Run();
    DebugLog(L"next %ls %hs\r\n", L"wide 中文", "narrow 窄");
    const std::string text = capture.Since(mark);
    EXPECT_NE(text.find("Downloader::Run() const::<lambda()>"), std::string::npos) << text;
    EXPECT_NE(text.find(": in lambda<P"), std::string::npos) << text;
    EXPECT_NE(text.find(": next wide 中文 narrow 窄\r\n"), std::string::npos) << text;
}

TEST(DebugLog, LongTextIsWrittenWhole) {
    const size_t mark = capture.Mark();
    const std::wstring longText(20000, L'x');
    DebugLog(L"%ls\r\n", longText.c_str());
    const std::string text = capture.Since(mark);
    EXPECT_NE(text.find(std::string(20000, 'x') + "\r\n"), std::string::npos);
}

TEST(DebugLog, LinesFromTwoThreadsNeverInterleave) {
    const size_t mark = capture.Mark();
    constexpr int kLines = 500;
    auto writer = [](wchar_t letter) {
        const std::wstring body(300, letter);
        for (int i = 0; i < kLines; ++i) DebugLog(L"%ls\r\n", body.c_str());
    };
    std::thread a(writer, L'a'), b(writer, L'b');
    a.join();
    b.join();
    std::istringstream lines(capture.Since(mark));
    const std::regex whole(R"(<P\d+><T\d+><[^>]+>\(.+?\)<\d{4,}>: (a{300}|b{300})\r)");
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        ASSERT_TRUE(std::regex_match(line, whole)) << line.substr(0, 120);
    }
    EXPECT_EQ(count, 2 * kLines);
}

}  // namespace
