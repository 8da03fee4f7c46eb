#include "skin_package_bytes.h"

#include <gtest/gtest.h>

#include "platform/resources.h"

namespace Skin {

std::span<const uint8_t> ShippedPackageBytes() {
    const auto resource = platform::FindResource(platform::kSkinPackageResourceId,
                                                 platform::kResourceTypeSkinPackage);
    return {static_cast<const uint8_t*>(platform::LoadResource(resource)),
            platform::SizeofResource(resource)};
}

SkinPackage OpenShippedPackage() {
    std::string error;
    auto package = SkinPackage::Open(ShippedPackageBytes(), &error);
    EXPECT_TRUE(package) << error;
    return package ? std::move(*package) : SkinPackage{};
}

}  // namespace Skin
