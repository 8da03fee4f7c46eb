#include "ui/language.h"

#include <json/json.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "draw/text_layout.h"
#include "markup/skin_package_state.h"
#include "platform/file_system.h"
#include "platform/profile.h"
#include "platform/text.h"
#include "skin/label.h"
#include "skin/window_manager.h"

namespace {

constexpr std::array<std::wstring_view, 3> kLanguageCodes = {L"en-US", L"zh-CN", L"zh-TW"};
constexpr uint64_t kMaxLanguageFileSize = 0x400000;
constexpr size_t kMaxCodeLength = 260;

int ResolveLanguage(int index, const std::wstring& code) {
    if (code.empty()) {
        return index >= 0 && index < static_cast<int>(kLanguageCodes.size()) ? index : 0;
    }
    for (size_t i = 0; i < kLanguageCodes.size(); ++i) {
        if (kLanguageCodes[i] == code) return static_cast<int>(i);
    }
    return index;
}

// The text as the file's readers see it: the Chinese texts pass through the
// ANSI code page, and every text is read back from it.
std::wstring DecodeText(const std::string& utf8, int language) {
    std::string ansi = utf8;
    if (language != 0) {
        ansi = platform::WideToMultiByte(platform::MultiByteToWide(utf8, platform::kCodePageUtf8),
                                         platform::kCodePageAnsi);
    }
    return platform::MultiByteToWide(ansi, platform::kCodePageAnsi);
}

// Registers one element's text; an element that is no object, or whose "id"
// is no number, is skipped.
void RegisterElement(const Json::Value& element, const std::string& code, int language) {
    if (!element.isObject()) return;
    const Json::Value& id = element["id"];
    if (!id.isNull() && !id.isConvertibleTo(Json::intValue)) return;
    const Json::Value& text = element[code];
    const std::string utf8 =
        text.isConvertibleTo(Json::stringValue) ? text.asString() : std::string();
    Skin::WindowManager::AddMultiLanguageString(id.isNull() ? 0 : id.asInt(),
                                                DecodeText(utf8, language));
}

}  // namespace

int LoadLanguage(int index, const std::wstring& code) {
    return LoadLanguage(Skin::ProcessSkinPackageState(), index, code);
}

int LoadLanguage(const Skin::CSkinPackageState& skins, int index, const std::wstring& code) {
    const Skin::SkinPackage* package = skins.package();
    if (package == nullptr) return 0;
    const auto member = package->FindMember(L"language.json");
    if (!member || member->size == 0 || member->size > kMaxLanguageFileSize) return 0;
    const auto bytes = package->ReadMember(member->index);
    if (!bytes) return 0;

    const int language = ResolveLanguage(index, code);
    Json::Value root;
    std::string errors;
    const std::unique_ptr<Json::CharReader> reader(Json::CharReaderBuilder().newCharReader());
    const auto* begin = reinterpret_cast<const char*>(bytes->data());
    if (!reader->parse(begin, begin + bytes->size(), &root, &errors)) return language;
    if (!root.isArray() && !root.isObject()) return language;
    const std::string key =
        platform::WideToMultiByte(LanguageCodeOf(language), platform::kCodePageUtf8);
    for (const Json::Value& element : root) RegisterElement(element, key, language);
    return language;
}

int LanguageOfInstallation(const std::wstring& folder) {
    const std::wstring file = platform::ResolvePathCase(folder + L"/config.ini");
    std::wstring code;
    if (platform::FileExists(file)) {
        code = platform::GetPrivateProfileString(L"Install", L"Language", L"en-US", kMaxCodeLength,
                                                 file);
    }
    return LoadLanguage(0, code);
}

std::wstring LanguageText(int id) {
    const std::wstring* text = Skin::WindowManager::GetMultiLanguageString(id);
    return text != nullptr ? *text : std::wstring();
}

std::wstring LanguageCodeOf(int index) {
    if (index < 0 || index >= static_cast<int>(kLanguageCodes.size())) return {};
    return std::wstring(kLanguageCodes[index]);
}

void ApplyLanguage(Skin::WindowManager& manager, int index) {
    LoadLanguage(index, L"");
    manager.NeedUpdate();
    for (const wchar_t* name : {L"lbLanguage", L"lbInstallPath", L"backBtn"}) {
        auto* label = dynamic_cast<Skin::CLabel*>(manager.FindControl(name));
        if (label == nullptr) continue;
        Skin::Font* font = manager.GetFont(label->GetFont());
        if (font == nullptr) continue;
        const int width = Skin::MeasureText(*font, label->GetText(), label->GetFixedWidth(),
                                            label->GetTextStyle())
                              .cx;
        label->SetFixedWidth(width + label->GetTextPadding().left);
    }
}
