// skin_art [--font FILE] [--sheet FILE] SKIN_FOLDER
// Draws every skin image into SKIN_FOLDER/res/..., the window icon into
// SKIN_FOLDER/icon/brushwell.png and, with --sheet, a contact sheet of them all.
#include <cstdio>
#include <filesystem>
#include <string>

#include "artwork.h"
#include "contact_sheet.h"
#include "text.h"

namespace {

bool Save(const std::filesystem::path& folder, const skin_art::Artwork& artwork) {
    const std::filesystem::path path = folder / artwork.path;
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (error || !artwork.picture.SavePng(path.string())) {
        std::fprintf(stderr, "skin_art: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::string font = skin_art::kDefaultFontPath;
    std::string sheet;
    std::string folder;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if ((argument == "--font" || argument == "--sheet") && i + 1 < argc) {
            (argument == "--font" ? font : sheet) = argv[++i];
        } else if (folder.empty() && !argument.starts_with("--")) {
            folder = argument;
        } else {
            folder.clear();
            break;
        }
    }
    if (folder.empty()) {
        std::fprintf(stderr, "usage: skin_art [--font FILE] [--sheet FILE] SKIN_FOLDER\n");
        return 2;
    }
    const skin_art::TextRenderer text(font);
    if (!text.ok()) {
        std::fprintf(stderr, "skin_art: cannot load the font %s\n", font.c_str());
        return 1;
    }
    const auto images = skin_art::MakeSkinImages(text);
    bool saved = true;
    for (const auto& image : images) saved = Save(folder, image) && saved;
    for (const auto& image : skin_art::MakeOtherImages()) saved = Save(folder, image) && saved;
    if (!sheet.empty() && !skin_art::MakeContactSheet(images, text).SavePng(sheet)) {
        std::fprintf(stderr, "skin_art: cannot write %s\n", sheet.c_str());
        saved = false;
    }
    return saved ? 0 : 1;
}
