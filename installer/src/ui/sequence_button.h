#pragma once

#include "skin/button.h"
#include "ui/sequence_animated.h"

namespace Skin {

// A button whose background is a frame sequence, by default played forwards
// and backwards; its state images and text are drawn as a button's.
class CSequenceButton : public SequenceAnimated<CButton> {
public:
    CSequenceButton() : SequenceAnimated(60, true) {}

    const wchar_t* GetClass() const override { return L"SequenceButton"; }
};

}  // namespace Skin
