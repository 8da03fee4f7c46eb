#include "draw/bitmap.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_FAILURE_USERMSG
#include <stb/stb_image.h>

namespace Skin {

std::shared_ptr<const Bitmap> DecodeBitmap(std::string_view bytes, uint32_t maskRgb) {
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* rgba =
        stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                              static_cast<int>(bytes.size()), &width, &height, &channels, 4);
    if (rgba == nullptr) return nullptr;
    auto bitmap = std::make_shared<Bitmap>();
    bitmap->width = width;
    bitmap->height = height;
    bitmap->pixels.resize(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < bitmap->pixels.size(); ++i) {
        const stbi_uc* p = rgba + i * 4;
        const uint32_t rgb = (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
        const uint32_t alpha = (maskRgb != 0 && rgb == (maskRgb & 0xFFFFFF)) ? 0 : p[3];
        bitmap->pixels[i] = Premultiply((alpha << 24) | rgb);
    }
    stbi_image_free(rgba);
    return bitmap;
}

}  // namespace Skin
