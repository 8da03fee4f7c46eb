#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "draw/canvas.h"

namespace Skin {

// What a Font element asks for: a face name, a character height in pixels
// (the em size, as a negative LOGFONT height means) and the styles.
struct FontSpec {
    std::wstring faceName;
    int size = 12;
    bool bold = false;
    bool underline = false;
    bool italic = false;

    bool operator==(const FontSpec&) const = default;
};

// One rasterised face at one size. Glyphs are rendered once and kept.
class Font {
public:
    // Null when no installed face can be opened for the requested face and size.
    static std::shared_ptr<Font> Create(const FontSpec& spec);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    const FontSpec& spec() const { return spec_; }
    int ascent() const { return ascent_; }
    int descent() const { return descent_; }
    // The character height (ascent plus descent), the line height of text.
    int height() const { return ascent_ + descent_; }

    int Advance(wchar_t ch);
    int MeasureWidth(std::wstring_view text);
    // Draws one line with its baseline at y.
    void DrawLine(Canvas& canvas, int x, int baseline, std::wstring_view text, uint32_t argb);

private:
    struct Glyph {
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
        int advance = 0;
        std::vector<uint8_t> coverage;
    };

    explicit Font(const FontSpec& spec) : spec_(spec) {}
    const Glyph& GlyphFor(wchar_t ch);

    FontSpec spec_;
    void* face_ = nullptr;  // FT_Face
    int ascent_ = 0;
    int descent_ = 0;
    std::unordered_map<wchar_t, Glyph> glyphs_;
};

}  // namespace Skin
