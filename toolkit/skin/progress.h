#pragma once

#include "skin/label.h"

namespace Skin {

// A bar whose filled part, from the left, is the fore image drawn over the
// share value / (maximum - minimum) of the control.
class CProgress : public CLabel {
public:
    const wchar_t* GetClass() const override;

    int GetMinValue() const { return min_; }
    int GetMaxValue() const { return max_; }
    int GetValue() const { return value_; }
    // Clamped to the range; repaints.
    void SetValue(int value);
    void SetMinValue(int value);
    void SetMaxValue(int value);
    bool IsHorizontal() const { return horizontal_; }
    void SetForeImage(std::wstring_view image);
    const std::wstring& GetForeImage() const { return foreImage_.value; }

    void SetAttribute(std::wstring_view name, std::wstring_view value) override;

protected:
    void PaintStatusImage(Canvas& canvas) override;

private:
    int min_ = 0;
    int max_ = 100;
    int value_ = 0;
    bool horizontal_ = true;
    ImageSlot foreImage_;
};

}  // namespace Skin
