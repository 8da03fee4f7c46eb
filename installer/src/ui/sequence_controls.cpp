#include "ui/sequence_controls.h"

#include "platform/text.h"
#include "ui/sequence_button.h"
#include "ui/sequence_label.h"

std::unique_ptr<Skin::CControl> CreateSequenceControl(std::wstring_view tagName) {
    if (platform::EqualIgnoringCase(tagName, L"SequenceButton"))
        return std::make_unique<Skin::CSequenceButton>();
    if (platform::EqualIgnoringCase(tagName, L"SequenceLabel"))
        return std::make_unique<Skin::CSequenceLabel>();
    return nullptr;
}
