#pragma once

#include <cstdint>
#include <span>

#include "markup/skin_package.h"

namespace Skin {

// The skin package linked into this test (resource "ZIPRES"/147).
std::span<const uint8_t> ShippedPackageBytes();

// The shipped package opened; the calling test fails when it does not open.
SkinPackage OpenShippedPackage();

}  // namespace Skin
