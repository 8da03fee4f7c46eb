#pragma once

#include "skin/label.h"
#include "ui/sequence_animated.h"

namespace Skin {

// A label that shows a looping sequence of frame images as its background
// (the installing page's animation); it draws no state images of its own.
class CSequenceLabel : public SequenceAnimated<CLabel> {
public:
    CSequenceLabel() : SequenceAnimated(30, false) {}
    ~CSequenceLabel() override { StopAnimation(); }

    const wchar_t* GetClass() const override { return L"SequenceLabel"; }
};

}  // namespace Skin
