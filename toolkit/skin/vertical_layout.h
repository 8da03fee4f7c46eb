#pragma once

#include "skin/container.h"

namespace Skin {

// Children one after another, top to bottom, by the line layout rule.
class CVerticalLayout : public CContainer {
public:
    const wchar_t* GetClass() const override;
    void SetPos(const IntRect& rect) override;
};

}  // namespace Skin
