#include "artwork.h"

#include <cstdio>

#include "animation.h"
#include "backgrounds.h"
#include "brand.h"
#include "buttons.h"
#include "controls.h"
#include "dialog_icons.h"

namespace skin_art {
namespace {

constexpr ButtonState kStates[] = {ButtonState::kNormal, ButtonState::kHot, ButtonState::kPressed};

}  // namespace

std::vector<Artwork> MakeSkinImages(const TextRenderer& text) {
    std::vector<Artwork> images;
    const auto add = [&](std::string path, Canvas picture) {
        images.push_back({std::move(path), std::move(picture)});
    };
    const std::string main = "res/mainWnd/";
    const std::string common = "res/common/";

    for (int page = 0; page < 4; ++page)
        add(main + "bg" + std::to_string(page + 1) + ".png", MakeBackground(page, text));
    add(main + "logo.png", MakeLogo(text));
    for (int i = 0; i < 3; ++i)
        add(main + "installBtn" + std::to_string(i + 1) + ".png", MakeInstallButton(kStates[i]));
    for (int frame = 0; frame < kAnimationFrames; ++frame) {
        char name[16];
        std::snprintf(name, sizeof name, "%03d.png", frame);
        add(main + "installBtnAnimate/" + name, MakeInstallingFrame(frame));
    }
    add(main + "finished.png", MakeFinishedMark());
    for (int i = 0; i < 3; ++i)
        add(main + "backBtn" + std::to_string(i + 1) + ".png", MakeBackButton(kStates[i], text));
    // The hot and pressed pictures carry the shorter name the skin asks for.
    add(main + "chDirBtn1.png", MakeChangeFolderButton(ButtonState::kNormal));
    add(main + "chDirBt2.png", MakeChangeFolderButton(ButtonState::kHot));
    add(main + "chDirBt3.png", MakeChangeFolderButton(ButtonState::kPressed));
    add(main + "installDirEdit.png", MakeFolderField());
    add(main + "installPrg1.png", MakeProgressTrack());
    add(main + "installPrg2.png", MakeProgressFill());
    add(main + "Cb1.png", MakeCheckBox(false));
    add(main + "Cb2.png", MakeCheckBox(true));
    add(main + "customeBtn1.png", MakeCustomArrow(ButtonState::kNormal));
    add(main + "customeBtn2.png", MakeCustomArrow(ButtonState::kHot));
    add(main + "tipLbl.png", MakeAgreementTip(text));
    for (int i = 0; i < 3; ++i)
        add(common + "minbtn" + std::to_string(i + 1) + ".png", MakeMinimiseButton(kStates[i]));
    for (int i = 0; i < 3; ++i)
        add(common + "closebtn" + std::to_string(i + 1) + ".png", MakeCloseButton(kStates[i]));
    for (int i = 0; i < 3; ++i) {
        add(common + "closebtnM_" + std::to_string(i + 1) + ".png",
            MakeDialogCloseButton(kStates[i]));
    }
    add("res/MessageBoxWnd/icoNetwork.png", MakeNetworkIcon());
    add("res/MessageBoxWnd/icoQuest.png", MakeQuestionIcon(text));
    add("res/MessageBoxWnd/icoWarn.png", MakeWarningIcon());
    return images;
}

std::vector<Artwork> MakeOtherImages() {
    std::vector<Artwork> images;
    images.push_back({"icon/brushwell.png", MakeAppIcon()});
    return images;
}

}  // namespace skin_art
