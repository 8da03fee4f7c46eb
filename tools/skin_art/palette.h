#pragma once

#include "canvas.h"

namespace skin_art {

// The product's colours; the blues match the skin files' button colours.
namespace palette {
inline const Color kBlue = Rgb(0x1675FE);
inline const Color kBlueHot = Rgb(0x5A9DFD);
inline const Color kBluePressed = Rgb(0x1365DB);
inline const Color kBlueLight = Rgb(0x3D8BFF);
inline const Color kViolet = Rgb(0x7B5CFF);
inline const Color kInk = Rgb(0x282A43);
inline const Color kMuted = Rgb(0x606178);
inline const Color kSubtle = Rgb(0x8991AF);
inline const Color kWhite = Rgb(0xFFFFFF);
inline const Color kCoral = Rgb(0xF5566C);
inline const Color kCoralPressed = Rgb(0xD9435A);
inline const Color kAmber = Rgb(0xFFA524);
inline const Color kAmberDeep = Rgb(0xFF7F11);
}  // namespace palette

// The three looks of a pressable picture.
enum class ButtonState { kNormal, kHot, kPressed };

}  // namespace skin_art
