#pragma once

#include <optional>
#include <string>
#include <string_view>

// The animation state of the frame-sequence controls: numbered frame images
// shown one after the other as the control's background, forwards and, in
// round mode, backwards again.
class FrameSequence {
public:
    // The timer id of the animation, per control.
    static constexpr unsigned kTimerId = 2100;

    FrameSequence(int periodMs, bool round) : periodMs_(periodMs), round_(round) {}

    // The animation's markup attributes; false for any other name.
    bool SetAttribute(std::wstring_view name, std::wstring_view value);

    const std::wstring& pattern() const { return pattern_; }
    int count() const { return count_; }
    int periodMs() const { return periodMs_; }
    bool autoStart() const { return autoStart_; }

    // The next tick starts the order again at frame 0.
    void Rewind() { index_ = 0; }

    struct Step {
        std::optional<std::wstring> frame;  // the image to show now
        bool stop = false;                  // the animation has ended
    };
    // One timer tick.
    Step Advance();

private:
    std::wstring pattern_;
    int count_ = 0;
    int periodMs_;
    bool autoStart_ = false;
    bool loop_ = true;
    bool round_;
    bool forward_ = true;
    int index_ = 0;
};
