#include "platform/resources.h"

#include <cstddef>

// Start and end of each blob, defined by resource_blobs.S.
extern "C" const unsigned char brushwell_skin_package_begin[];
extern "C" const unsigned char brushwell_skin_package_end[];
extern "C" const unsigned char brushwell_window_icon_begin[];
extern "C" const unsigned char brushwell_window_icon_end[];

namespace platform {

struct ResourceEntry {
    unsigned id;
    std::wstring_view type;
    const unsigned char* begin;
    const unsigned char* end;
};

namespace {

const ResourceEntry kResources[] = {
    {kSkinPackageResourceId, kResourceTypeSkinPackage, brushwell_skin_package_begin,
     brushwell_skin_package_end},
    {kWindowIconResourceId, kResourceTypeIcon, brushwell_window_icon_begin,
     brushwell_window_icon_end},
};

bool SameTypeName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto fold = [](wchar_t c) { return c >= L'a' && c <= L'z' ? c - L'a' + L'A' : c; };
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return true;
}

}  // namespace

ResourceHandle FindResource(unsigned id, std::wstring_view type) {
    for (const ResourceEntry& entry : kResources) {
        if (entry.id == id && SameTypeName(entry.type, type)) return &entry;
    }
    return nullptr;
}

const void* LoadResource(ResourceHandle resource) { return resource ? resource->begin : nullptr; }

uint32_t SizeofResource(ResourceHandle resource) {
    return resource ? static_cast<uint32_t>(resource->end - resource->begin) : 0;
}

}  // namespace platform
