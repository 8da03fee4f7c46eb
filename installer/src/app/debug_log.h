#pragma once

#include <string_view>

// The qualified name of a function as __PRETTY_FUNCTION__ spells it, without
// the return type and the parameter list: "void CInstaller::Parse(int)" gives
// "CInstaller::Parse"; inside a lambda the enclosing function and the lambda
// stay ("CInstaller::Start()::<lambda()>").
constexpr std::string_view QualifiedFunctionName(std::string_view pretty) {
    size_t withClause = pretty.find(" [with ");
    if (withClause != std::string_view::npos) pretty = pretty.substr(0, withClause);
    int depth = 0;
    size_t nameStart = 0;
    for (size_t i = 0; i < pretty.size(); ++i) {
        const char c = pretty[i];
        if (c == '<') ++depth;
        if (c == '>' && depth > 0) --depth;
        if (depth != 0) continue;
        if (c == ' ') nameStart = i + 1;
        if (c != '(') continue;
        // "operator()" has its own parentheses before the parameter list.
        if (pretty.substr(0, i).ends_with("operator")) {
            i += 1;
            continue;
        }
        size_t close = i;
        for (int parens = 0; close < pretty.size(); ++close) {
            if (pretty[close] == '(') ++parens;
            if (pretty[close] == ')' && --parens == 0) break;
        }
        std::string_view after = pretty.substr(close + 1);
        while (after.starts_with(" const")) after.remove_prefix(6);
        if (after.starts_with("::")) {
            // A lambda or local class: keep the rest, minus trailing qualifiers.
            std::string_view rest = pretty.substr(nameStart);
            while (rest.ends_with(" const")) rest.remove_suffix(6);
            return rest;
        }
        return pretty.substr(nameStart, i - nameStart);
    }
    return pretty.substr(nameStart);
}

// Writes one trace line: the fixed prefix with process id, thread id, local
// time, function and line, then the event text formatted from `format` (a wide
// printf format: "%ls" for wide strings, "%hs" for narrow ones). A line that
// cannot be formatted is dropped.
void WriteDebugLog(std::string_view function, int line, const wchar_t* format, ...);

#define DebugLog(format, ...)                                           \
    WriteDebugLog(QualifiedFunctionName(__PRETTY_FUNCTION__), __LINE__, \
                  format __VA_OPT__(, ) __VA_ARGS__)
