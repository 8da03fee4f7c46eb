#pragma once

#include "skin/control_event.h"
#include "skin/window_manager.h"
#include "ui/frame_sequence.h"

namespace Skin {

// The frame-sequence animation on top of a control class: the attributes,
// the timer and the background image of the current frame.
template <typename Base>
class SequenceAnimated : public Base {
public:
    SequenceAnimated(int periodMs, bool round) : sequence_(periodMs, round) {}

    const std::wstring& GetSequencePattern() const { return sequence_.pattern(); }
    int GetSequenceCount() const { return sequence_.count(); }
    int GetSequencePeriod() const { return sequence_.periodMs(); }

    // From frame 0 again; a running animation keeps its period.
    void StartAnimation() {
        sequence_.Rewind();
        if (WindowManager* manager = this->GetManager()) {
            manager->SetTimer(this, FrameSequence::kTimerId,
                              static_cast<platform::UINT>(sequence_.periodMs()));
        }
    }

    void StopAnimation() {
        if (WindowManager* manager = this->GetManager()) {
            manager->KillTimer(this, FrameSequence::kTimerId);
        }
    }

    void SetManager(WindowManager* manager, CContainer* parent) override {
        Base::SetManager(manager, parent);
        if (manager != nullptr && sequence_.autoStart()) {
            manager->SetTimer(this, FrameSequence::kTimerId,
                              static_cast<platform::UINT>(sequence_.periodMs()));
        }
    }

    void SetAttribute(std::wstring_view name, std::wstring_view value) override {
        if (!sequence_.SetAttribute(name, value)) Base::SetAttribute(name, value);
    }

    void DoEvent(ControlEvent& event) override {
        Base::DoEvent(event);
        if (event.type != ControlEventType::kTimer || event.wParam != FrameSequence::kTimerId) {
            return;
        }
        const FrameSequence::Step step = sequence_.Advance();
        if (step.stop) StopAnimation();
        if (step.frame) {
            this->SetBkImage(*step.frame);
            this->Invalidate();
        }
    }

private:
    FrameSequence sequence_;
};

}  // namespace Skin
