#pragma once

#include <string>
#include <vector>

#include "canvas.h"
#include "text.h"

namespace skin_art {

struct Artwork {
    std::string path;  // below the skin folder, e.g. "res/mainWnd/bg1.png"
    Canvas picture;
};

// Every image of the skin package, in member order.
std::vector<Artwork> MakeSkinImages(const TextRenderer& text);

// Pictures that ship outside the package (the window icon).
std::vector<Artwork> MakeOtherImages();

}  // namespace skin_art
