#include "platform/font_lookup.h"

#include <fontconfig/fontconfig.h>

#include <cstdlib>
#include <map>
#include <mutex>
#include <tuple>

#include "platform/text.h"

namespace platform {
namespace {

// The library's configuration lives until the process ends; it is released
// then so that leak checkers see a clean exit.
bool StartFontconfig() {
    static const bool started = [] {
        if (FcInit() == FcFalse) return false;
        std::atexit(FcFini);
        return true;
    }();
    return started;
}

bool Query(const std::string& family, bool bold, bool italic, FontFile* out) {
    if (!StartFontconfig()) return false;
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) return false;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("zh-cn"));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) return false;
    FcChar8* file = nullptr;
    int index = 0;
    const bool found = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch;
    if (found) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        out->path = reinterpret_cast<const char*>(file);
        out->faceIndex = index;
    }
    FcPatternDestroy(match);
    return found;
}

}  // namespace

bool FindFontFile(const std::wstring& faceName, bool bold, bool italic, FontFile* out) {
    if (out == nullptr) return false;
    // Font matching takes milliseconds; windows ask for the same few faces.
    static std::mutex lock;
    static std::map<std::tuple<std::wstring, bool, bool>, FontFile> cache;
    std::lock_guard guard(lock);
    const auto key = std::make_tuple(faceName, bold, italic);
    if (const auto found = cache.find(key); found != cache.end()) {
        *out = found->second;
        return true;
    }
    if (!Query(WideToMultiByte(faceName, kCodePageUtf8), bold, italic, out)) return false;
    cache.emplace(key, *out);
    return true;
}

}  // namespace platform
