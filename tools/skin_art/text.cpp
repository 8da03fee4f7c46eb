#include "text.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cmath>

namespace skin_art {
namespace {

FT_Face Face(void* face) { return static_cast<FT_Face>(face); }

std::u32string DecodeUtf8(const std::string& text) {
    std::u32string out;
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = text[i];
        const int length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        char32_t code = length == 1 ? c : c & (0x3F >> (length - 1));
        for (int k = 1; k < length && i + k < text.size(); ++k)
            code = (code << 6) | (text[i + k] & 0x3F);
        out.push_back(code);
        i += length;
    }
    return out;
}

}  // namespace

TextRenderer::TextRenderer(const std::string& fontPath) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) return;
    library_ = library;
    FT_Face face = nullptr;
    if (FT_New_Face(library, fontPath.c_str(), 0, &face) == 0) face_ = face;
}

TextRenderer::~TextRenderer() {
    if (face_) FT_Done_Face(Face(face_));
    if (library_) FT_Done_FreeType(static_cast<FT_Library>(library_));
}

// Renders each glyph of the text and hands it to glyph(bitmap, penX); returns
// the advance of the whole text.
template <typename Glyph>
float TextRenderer::Layout(const std::string& utf8, int pixelSize, float boldness,
                           Glyph glyph) const {
    FT_Face face = Face(face_);
    FT_Set_Pixel_Sizes(face, 0, pixelSize);
    float pen = 0;
    for (char32_t code : DecodeUtf8(utf8)) {
        if (FT_Load_Char(face, code, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT) != 0) continue;
        if (boldness > 0)
            FT_Outline_Embolden(&face->glyph->outline, static_cast<FT_Pos>(boldness * 64));
        if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) continue;
        glyph(face->glyph, pen);
        pen += face->glyph->advance.x / 64.0f + boldness;
    }
    return pen;
}

float TextRenderer::Measure(const std::string& utf8, int pixelSize, float boldness) const {
    return Layout(utf8, pixelSize, boldness, [](FT_GlyphSlot, float) {});
}

void TextRenderer::Draw(Canvas& canvas, const std::string& utf8, int pixelSize, float x,
                        float baseline, const Color& color, float boldness) const {
    const int originX = static_cast<int>(std::lround(x));
    const int originY = static_cast<int>(std::lround(baseline));
    Layout(utf8, pixelSize, boldness, [&](FT_GlyphSlot slot, float pen) {
        const FT_Bitmap& bitmap = slot->bitmap;
        const int left = originX + static_cast<int>(std::lround(pen)) + slot->bitmap_left;
        const int top = originY - slot->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            for (unsigned column = 0; column < bitmap.width; ++column) {
                const unsigned char value = bitmap.buffer[row * bitmap.pitch + column];
                canvas.Blend(left + static_cast<int>(column), top + static_cast<int>(row), color,
                             value / 255.0f);
            }
        }
    });
}

void TextRenderer::DrawCentred(Canvas& canvas, const std::string& utf8, int pixelSize, float left,
                               float right, float middleY, const Color& color,
                               float boldness) const {
    // Centre on the height of a CJK ideograph box: about 0.88 of the size above the baseline
    // and 0.12 below.
    const float baseline = middleY + pixelSize * 0.38f;
    const float width = Measure(utf8, pixelSize, boldness);
    Draw(canvas, utf8, pixelSize, left + (right - left - width) / 2, baseline, color, boldness);
}

}  // namespace skin_art
