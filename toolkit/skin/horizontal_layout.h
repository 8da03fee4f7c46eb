#pragma once

#include "skin/container.h"

namespace Skin {

// Children one after another, left to right, by the line layout rule.
class CHorizontalLayout : public CContainer {
public:
    const wchar_t* GetClass() const override;
    void SetPos(const IntRect& rect) override;
};

}  // namespace Skin
