#pragma once

#include "canvas.h"
#include "palette.h"
#include "text.h"

namespace skin_art {

Canvas MakeFolderField();                   // 340 x 36 frame of the folder field
Canvas MakeProgressTrack();                 // 410 x 8, stretched by a nine-grid of 2
Canvas MakeProgressFill();                  // 305 x 8, likewise
Canvas MakeCheckBox(bool ticked);           // 16 x 16
Canvas MakeCustomArrow(ButtonState state);  // 16 x 16 chevron after the custom-install link
Canvas MakeAgreementTip(
    const TextRenderer& text);  // 120 x 36 dark tooltip pointing at the agreement box

// A tick from left to right through its low corner, for the check box and the
// finished mark.
Shape Tick(Point start, Point corner, Point end, float width);

}  // namespace skin_art
