#include "platform/command_line.h"

#include "platform/file_system.h"
#include "platform/process_info.h"
#include "platform/text.h"

namespace platform {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// The program path has no escapes: it cannot hold a quote, so one is dropped.
std::wstring QuoteProgramPath(const std::wstring& path) {
    std::wstring plain;
    for (wchar_t c : path) {
        if (c != L'"') plain.push_back(c);
    }
    const bool needsQuotes = plain.empty() || plain.find_first_of(L" \t") != std::wstring::npos;
    return needsQuotes ? L"\"" + plain + L"\"" : plain;
}

std::wstring QuoteArgument(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) {
        return argument;
    }
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes before a quote are doubled, and the quote itself escaped.
        if (c == L'"') backslashes = backslashes * 2 + 1;
        quoted.append(backslashes, L'\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    // Backslashes before the closing quote are doubled too.
    quoted.append(backslashes * 2, L'\\');
    quoted.push_back(L'"');
    return quoted;
}

}  // namespace

std::wstring GetCommandLine() {
    std::string raw;
    if (!ReadWholeFile(L"/proc/self/cmdline", raw)) return {};
    std::vector<std::wstring> arguments;
    size_t start = 0;
    while (start < raw.size()) {
        size_t end = raw.find('\0', start);
        if (end == std::string::npos) end = raw.size();
        arguments.push_back(MultiByteToWide(raw.substr(start, end - start), kCodePageUtf8));
        start = end + 1;
    }
    return ArgvToCommandLine(arguments);
}

std::wstring ArgvToCommandLine(const std::vector<std::wstring>& arguments) {
    std::wstring line;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0) line.push_back(L' ');
        line += i == 0 ? QuoteProgramPath(arguments[i]) : QuoteArgument(arguments[i]);
    }
    return line;
}

std::vector<std::wstring> CommandLineToArgv(std::wstring_view commandLine) {
    if (commandLine.empty()) return {ModuleFilePath()};
    std::vector<std::wstring> arguments;
    size_t i = 0;

    // The program path ends at the next quote, or at white space.
    std::wstring program;
    if (commandLine[0] == L'"') {
        for (i = 1; i < commandLine.size() && commandLine[i] != L'"'; ++i) {
            program.push_back(commandLine[i]);
        }
        if (i < commandLine.size()) ++i;
    } else {
        for (; i < commandLine.size() && !IsBlank(commandLine[i]); ++i) {
            program.push_back(commandLine[i]);
        }
    }
    arguments.push_back(std::move(program));
    while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
    if (i >= commandLine.size()) return arguments;

    std::wstring current;
    size_t backslashes = 0;
    // 0 outside quotes, 1 inside; a run of quotes counts through 2 and 3.
    int quotes = 0;
    while (i < commandLine.size()) {
        const wchar_t c = commandLine[i];
        if (IsBlank(c) && quotes == 0) {
            arguments.push_back(std::move(current));
            current.clear();
            backslashes = 0;
            while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
            if (i >= commandLine.size()) return arguments;
            continue;
        }
        if (c == L'\\') {
            current.push_back(c);
            ++backslashes;
            ++i;
            continue;
        }
        if (c != L'"') {
            current.push_back(c);
            backslashes = 0;
            ++i;
            continue;
        }
        // A quote: half of the backslashes before it stay.
        current.resize(current.size() - backslashes / 2 - backslashes % 2);
        if (backslashes % 2 == 1) {
            current.push_back(L'"');
        } else {
            ++quotes;
        }
        backslashes = 0;
        ++i;
        // Further quotes in a row: every third gives a literal quote.
        while (i < commandLine.size() && commandLine[i] == L'"') {
            if (++quotes == 3) {
                current.push_back(L'"');
                quotes = 0;
            }
            ++i;
        }
        if (quotes == 2) quotes = 0;
    }
    arguments.push_back(std::move(current));
    return arguments;
}

}  // namespace platform
