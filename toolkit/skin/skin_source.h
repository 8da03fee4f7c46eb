#pragma once

#include <string>

namespace Skin {

// Where a window's skin comes from.
enum SkinResourceKind : int {
    kSkinFromFolder = 1,           // skin file on disk below the resource folder
    kSkinFromPackage = 2,          // a package file (not used by the program)
    kSkinFromResource = 3,         // an "xml" resource (not used by the program)
    kSkinFromPackageResource = 4,  // the package stored as resource "ZIPRES"/id
};

struct SkinSource {
    int resourceKind = kSkinFromPackageResource;
    int resourceId = 147;
    std::wstring skinFolder;
    std::wstring skinFile;  // e.g. "MainWnd.xml"
    std::wstring windowClassName;
};

}  // namespace Skin
