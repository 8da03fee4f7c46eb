#pragma once

#include <string>

#include "canvas.h"

namespace skin_art {

// The WenQuanYi Micro Hei face of package fonts-wqy-microhei.
inline constexpr const char* kDefaultFontPath = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";

// Text drawn with FreeType from one font face (the WenQuanYi face by default).
class TextRenderer {
public:
    explicit TextRenderer(const std::string& fontPath);
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    bool ok() const { return face_ != nullptr; }

    // Advance width of a UTF-8 text at a pixel size.
    float Measure(const std::string& utf8, int pixelSize, float boldness = 0) const;
    // Draws with the baseline starting at (x, baseline); boldness thickens the
    // outlines by that many pixels.
    void Draw(Canvas& canvas, const std::string& utf8, int pixelSize, float x, float baseline,
              const Color& color, float boldness = 0) const;
    // Centred horizontally in [left, right] and vertically on middleY.
    void DrawCentred(Canvas& canvas, const std::string& utf8, int pixelSize, float left,
                     float right, float middleY, const Color& color, float boldness = 0) const;

private:
    template <typename Glyph>
    float Layout(const std::string& utf8, int pixelSize, float boldness, Glyph glyph) const;

    void* library_ = nullptr;  // FT_Library
    void* face_ = nullptr;     // FT_Face
};

}  // namespace skin_art
