#include "platform/command_line.h"

#include <gtest/gtest.h>

#include "platform/process_info.h"

namespace {

using Args = std::vector<std::wstring>;

TEST(CommandLineToArgv, FollowsTheWindowsQuotingRules) {
    struct Case {
        std::wstring_view line;
        Args expected;
    };
    const Case cases[] = {
        {L"prog", {L"prog"}},
        {L"prog a b\tc  ", {L"prog", L"a", L"b", L"c"}},
        {L"\"C:\\Program Files\\a.exe\" -x=1", {L"C:\\Program Files\\a.exe", L"-x=1"}},
        {L"C:\\dir\\\"odd\" x", {L"C:\\dir\\\"odd\"", L"x"}},  // no escapes in the program
        {L"p \"a b\" c", {L"p", L"a b", L"c"}},
        {L"p -downloadurl=\"http://h/a b\"", {L"p", L"-downloadurl=http://h/a b"}},
        {L"p a\\\\b", {L"p", L"a\\\\b"}},        // backslashes not before a quote stay
        {L"p a\\\\\"b c\"", {L"p", L"a\\b c"}},  // 2n before a quote: n, quote toggles
        {L"p a\\\"b", {L"p", L"a\"b"}},          // 2n+1: n and a literal quote
        {L"p a\\\\\\\"b", {L"p", L"a\\\"b"}},
        {L"p \"\"", {L"p", L""}},
        {L"p \"a\"\"b\"", {L"p", L"a\"b"}},  // a doubled quote inside quotes
        {L"p \"\"\"a\"\"\" b", {L"p", L"\"a\"", L"b"}},
        {L"p \"unterminated arg", {L"p", L"unterminated arg"}},
        {L"p /D=C:\\My Apps\\x", {L"p", L"/D=C:\\My", L"Apps\\x"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::CommandLineToArgv(c.line), c.expected)
            << std::string(c.line.begin(), c.line.end());
    }
}

TEST(CommandLineToArgv, EmptyLineGivesTheModulePath) {
    EXPECT_EQ(platform::CommandLineToArgv(L""), Args{platform::ModuleFilePath()});
}

TEST(ArgvToCommandLine, QuotingRoundTrips) {
    const Args vectors[] = {
        {L"/usr/bin/prog", L"plain", L"-x=1"},
        {L"/path with space/prog", L"a b", L"", L"tab\there"},
        {L"p", L"quote\"inside", L"trail\\", L"trail space\\", L"\\\\\"", L"\"\"\"", L"中文 x"},
    };
    for (const Args& args : vectors) {
        const std::wstring line = platform::ArgvToCommandLine(args);
        EXPECT_EQ(platform::CommandLineToArgv(line), args) << std::string(line.begin(), line.end());
    }
}

TEST(GetCommandLine, GivesBackThisProcessArguments) {
    const Args args = platform::CommandLineToArgv(platform::GetCommandLine());
    ASSERT_FALSE(args.empty());
    EXPECT_TRUE(platform::ModuleFilePath().ends_with(args[0].substr(args[0].rfind(L'/') + 1)));
}

}  // namespace
