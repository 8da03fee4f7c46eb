#include <gtest/gtest.h>

#include "markup/skin_package_state.h"
#include "ui/language.h"

namespace {

// The shipped package has no language file: whatever is asked, index 0 and
// no texts (the low-disk-space message 104 is empty).
TEST(ShippedLanguageTest, NoLanguageFileMeansIndexZeroAndEmptyTexts) {
    ASSERT_TRUE(Skin::ProcessSkinPackageState().OpenResourcePackage());
    for (const auto& [index, code] :
         {std::pair{0, L""}, std::pair{2, L""}, std::pair{1, L"zh-TW"}, std::pair{9, L"zh-cn"}}) {
        EXPECT_EQ(LoadLanguage(index, code), 0) << index;
    }
    EXPECT_EQ(LanguageText(104), L"");
}

}  // namespace
