#include "draw/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>

#include "platform/font_lookup.h"

namespace Skin {
namespace {

FT_Library Library() {
    static FT_Library library = [] {
        FT_Library created = nullptr;
        return FT_Init_FreeType(&created) == 0 ? created : nullptr;
    }();
    return library;
}

FT_Face AsFace(void* face) { return static_cast<FT_Face>(face); }

}  // namespace

std::shared_ptr<Font> Font::Create(const FontSpec& spec) {
    FT_Library library = Library();
    platform::FontFile file;
    if (library == nullptr ||
        !platform::FindFontFile(spec.faceName, spec.bold, spec.italic, &file)) {
        return nullptr;
    }
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.path.c_str(), file.faceIndex, &face) != 0) return nullptr;
    std::shared_ptr<Font> font(new Font(spec));
    font->face_ = face;
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(std::max(spec.size, 1)));
    font->ascent_ = static_cast<int>((face->size->metrics.ascender + 63) >> 6);
    font->descent_ = static_cast<int>((-face->size->metrics.descender + 63) >> 6);
    if (spec.italic && (face->style_flags & FT_STYLE_FLAG_ITALIC) == 0) {
        // A synthetic slant when the family has no italic face.
        FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};
        FT_Set_Transform(face, &shear, nullptr);
    }
    return font;
}

Font::~Font() {
    if (face_ != nullptr) FT_Done_Face(AsFace(face_));
}

const Font::Glyph& Font::GlyphFor(wchar_t ch) {
    if (const auto found = glyphs_.find(ch); found != glyphs_.end()) return found->second;
    Glyph glyph;
    FT_Face face = AsFace(face_);
    if (FT_Load_Char(face, static_cast<FT_ULong>(ch), FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT) ==
        0) {
        FT_GlyphSlot slot = face->glyph;
        const bool synthBold = spec_.bold && (face->style_flags & FT_STYLE_FLAG_BOLD) == 0;
        if (synthBold && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
            const FT_Pos strength = FT_MulFix(face->units_per_EM, face->size->metrics.y_scale) / 24;
            FT_Outline_Embolden(&slot->outline, strength);
            slot->advance.x += strength;
        }
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0) {
            const FT_Bitmap& bitmap = slot->bitmap;
            glyph.left = slot->bitmap_left;
            glyph.top = slot->bitmap_top;
            glyph.width = static_cast<int>(bitmap.width);
            glyph.height = static_cast<int>(bitmap.rows);
            glyph.coverage.resize(static_cast<size_t>(glyph.width) * glyph.height);
            for (int y = 0; y < glyph.height; ++y) {
                std::copy_n(bitmap.buffer + y * bitmap.pitch, glyph.width,
                            glyph.coverage.begin() + static_cast<ptrdiff_t>(y) * glyph.width);
            }
        }
        glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    }
    return glyphs_.emplace(ch, std::move(glyph)).first->second;
}

int Font::Advance(wchar_t ch) { return GlyphFor(ch).advance; }

int Font::MeasureWidth(std::wstring_view text) {
    int width = 0;
    for (wchar_t ch : text) width += Advance(ch);
    return width;
}

void Font::DrawLine(Canvas& canvas, int x, int baseline, std::wstring_view text, uint32_t argb) {
    const int start = x;
    for (wchar_t ch : text) {
        const Glyph& glyph = GlyphFor(ch);
        const int left = x + glyph.left;
        const int top = baseline - glyph.top;
        for (int gy = 0; gy < glyph.height; ++gy) {
            const uint8_t* row = glyph.coverage.data() + static_cast<size_t>(gy) * glyph.width;
            for (int gx = 0; gx < glyph.width; ++gx) {
                if (row[gx] != 0) canvas.BlendCoverage(left + gx, top + gy, argb, row[gx]);
            }
        }
        x += glyph.advance;
    }
    if (spec_.underline && x > start) {
        const int thickness = std::max(1, spec_.size / 14);
        canvas.FillRect({start, baseline + 1, x, baseline + 1 + thickness}, argb);
    }
}

}  // namespace Skin
