#include "ui/frame_sequence.h"

#include "markup/markup_values.h"
#include "platform/text.h"
#include "ui/integer_format.h"

namespace {

// The frame names are formatted into a buffer of this many characters.
constexpr size_t kFrameNameChars = 260;

// Only the exact lower-case "false" turns a switch off.
bool SwitchValue(std::wstring_view value) { return value != L"false"; }

}  // namespace

bool FrameSequence::SetAttribute(std::wstring_view name, std::wstring_view value) {
    if (name == L"sequencebkimage") {
        pattern_ = value;
    } else if (platform::EqualIgnoringCase(name, L"sequencecount")) {
        count_ = Skin::ParseInteger(value);
    } else if (platform::EqualIgnoringCase(name, L"sequencespan")) {
        periodMs_ = Skin::ParseInteger(value);
    } else if (platform::EqualIgnoringCase(name, L"sequenceloop")) {
        loop_ = SwitchValue(value);
    } else if (platform::EqualIgnoringCase(name, L"autostart")) {
        autoStart_ = SwitchValue(value);
    } else if (platform::EqualIgnoringCase(name, L"sequenceround")) {
        round_ = SwitchValue(value);
    } else {
        return false;
    }
    return true;
}

FrameSequence::Step FrameSequence::Advance() {
    if (pattern_.empty()) return {};
    if (forward_ && index_ > count_ - 1) {
        if (round_) {
            forward_ = false;
            index_ = count_ - 2;
        } else {
            index_ = 0;
            if (!loop_) return {std::nullopt, true};
        }
    }
    if (!forward_ && index_ == 0) {
        if (round_) forward_ = true;
        index_ = 0;
        if (!loop_) return {std::nullopt, true};
    }
    Step step;
    step.frame = FormatIntegerPattern(pattern_, index_, kFrameNameChars);
    index_ += forward_ ? 1 : -1;
    return step;
}
