#pragma once

#include "skin/option.h"

namespace Skin {

// An option whose every click toggles the selection, group or not.
class CCheckBox : public COption {
public:
    const wchar_t* GetClass() const override;
    void Activate() override;
};

}  // namespace Skin
