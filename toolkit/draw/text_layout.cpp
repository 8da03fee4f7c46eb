#include "draw/text_layout.h"

#include <algorithm>

namespace Skin {
namespace {

bool IsWide(wchar_t ch) {
    return (ch >= 0x2E80 && ch <= 0x9FFF) || (ch >= 0xAC00 && ch <= 0xD7AF) ||
           (ch >= 0xF900 && ch <= 0xFAFF) || (ch >= 0xFF00 && ch <= 0xFFEF);
}

// Punctuation that must not begin a line.
bool IsClosing(wchar_t ch) {
    return std::wstring_view(L"，。、；：？！）》」』】〕”’,.;:?!)]}%").find(ch) !=
           std::wstring_view::npos;
}

bool MayBreakBefore(std::wstring_view text, size_t i) {
    if (i == 0 || i >= text.size()) return false;
    const wchar_t before = text[i - 1];
    const wchar_t ch = text[i];
    if (IsClosing(ch)) return false;
    return before == L' ' || IsWide(before) || IsWide(ch);
}

std::wstring_view TrimTrailingSpaces(std::wstring_view line) {
    while (!line.empty() && line.back() == L' ') line.remove_suffix(1);
    return line;
}

void WrapParagraph(Font& font, std::wstring_view text, int maxWidth,
                   std::vector<std::wstring>& lines) {
    size_t start = 0;
    while (start < text.size()) {
        int width = 0;
        size_t lastBreak = std::wstring_view::npos;
        size_t i = start;
        for (; i < text.size(); ++i) {
            if (i > start && MayBreakBefore(text, i)) lastBreak = i;
            const int advance = font.Advance(text[i]);
            if (width + advance > maxWidth && i > start && text[i] != L' ') break;
            width += advance;
        }
        if (i >= text.size()) {
            lines.emplace_back(TrimTrailingSpaces(text.substr(start)));
            return;
        }
        const size_t end = lastBreak != std::wstring_view::npos ? lastBreak : i;
        lines.emplace_back(TrimTrailingSpaces(text.substr(start, end - start)));
        start = end;
        while (start < text.size() && text[start] == L' ') ++start;
    }
}

bool IsSingleLine(unsigned format) {
    return (format & kTextSingleLine) != 0 || (format & kTextWordBreak) == 0;
}

// One line shortened with "..." to fit the width.
std::wstring Ellipsize(Font& font, std::wstring_view line, int maxWidth) {
    if (font.MeasureWidth(line) <= maxWidth) return std::wstring(line);
    const int dots = font.MeasureWidth(L"...");
    std::wstring out;
    int width = 0;
    for (wchar_t ch : line) {
        const int advance = font.Advance(ch);
        if (width + advance + dots > maxWidth) break;
        out.push_back(ch);
        width += advance;
    }
    return out + L"...";
}

}  // namespace

std::vector<std::wstring> WrapText(Font& font, std::wstring_view text, int maxWidth) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (;;) {
        const size_t feed = text.find(L'\n', start);
        std::wstring_view paragraph =
            text.substr(start, feed == std::wstring_view::npos ? feed : feed - start);
        if (!paragraph.empty() && paragraph.back() == L'\r') paragraph.remove_suffix(1);
        if (paragraph.empty()) {
            lines.emplace_back();
        } else {
            WrapParagraph(font, paragraph, std::max(maxWidth, 1), lines);
        }
        if (feed == std::wstring_view::npos) break;
        start = feed + 1;
    }
    return lines;
}

IntSize MeasureText(Font& font, std::wstring_view text, int maxWidth, unsigned format) {
    if (IsSingleLine(format)) return {font.MeasureWidth(text), font.height()};
    const auto lines = WrapText(font, text, maxWidth);
    int width = 0;
    for (const auto& line : lines) width = std::max(width, font.MeasureWidth(line));
    return {width, static_cast<int>(lines.size()) * font.height()};
}

void DrawText(Canvas& canvas, Font& font, std::wstring_view text, const IntRect& rect,
              uint32_t argb, unsigned format) {
    if (text.empty() || IsEmptyArea(rect)) return;
    std::vector<std::wstring> lines;
    if (IsSingleLine(format)) {
        lines.emplace_back((format & kTextEndEllipsis) != 0 ? Ellipsize(font, text, Width(rect))
                                                            : std::wstring(text));
    } else {
        lines = WrapText(font, text, Width(rect));
    }
    const int blockHeight = static_cast<int>(lines.size()) * font.height();
    int top = rect.top;
    if ((format & kTextVCenter) != 0) {
        top = rect.top + (Height(rect) - blockHeight) / 2;
    } else if ((format & kTextBottom) != 0) {
        top = rect.bottom - blockHeight;
    }
    Canvas::ClipScope clip(canvas, rect);
    for (const auto& line : lines) {
        const int width = font.MeasureWidth(line);
        int left = rect.left;
        if ((format & kTextCenter) != 0) {
            left = rect.left + (Width(rect) - width) / 2;
        } else if ((format & kTextRight) != 0) {
            left = rect.right - width;
        }
        font.DrawLine(canvas, left, top + font.ascent(), line, argb);
        top += font.height();
    }
}

}  // namespace Skin
