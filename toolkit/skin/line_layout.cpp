#include "skin/line_layout.h"

#include <algorithm>

namespace Skin {
namespace {

// The control seen along one axis: main is the layout direction.
struct AxisView {
    LayoutAxis axis;

    int FixedMain(const CControl& c) const {
        return axis == LayoutAxis::kHorizontal ? c.GetFixedWidth() : c.GetFixedHeight();
    }
    int FixedCross(const CControl& c) const {
        return axis == LayoutAxis::kHorizontal ? c.GetFixedHeight() : c.GetFixedWidth();
    }
    int MinMain(const CControl& c) const {
        return axis == LayoutAxis::kHorizontal ? c.GetMinWidth() : c.GetMinHeight();
    }
    int MaxMain(const CControl& c) const {
        return axis == LayoutAxis::kHorizontal ? c.GetMaxWidth() : c.GetMaxHeight();
    }
    int PaddingBefore(const CControl& c) const {
        return axis == LayoutAxis::kHorizontal ? c.GetPadding().left : c.GetPadding().top;
    }
    int PaddingAfter(const CControl& c) const {
        return axis == LayoutAxis::kHorizontal ? c.GetPadding().right : c.GetPadding().bottom;
    }
    int CrossPaddingBefore(const CControl& c) const {
        return axis == LayoutAxis::kHorizontal ? c.GetPadding().top : c.GetPadding().left;
    }
    int CrossPaddingAfter(const CControl& c) const {
        return axis == LayoutAxis::kHorizontal ? c.GetPadding().bottom : c.GetPadding().right;
    }
    int MainStart(const IntRect& r) const {
        return axis == LayoutAxis::kHorizontal ? r.left : r.top;
    }
    int MainLength(const IntRect& r) const {
        return axis == LayoutAxis::kHorizontal ? Width(r) : Height(r);
    }
    int CrossStart(const IntRect& r) const {
        return axis == LayoutAxis::kHorizontal ? r.top : r.left;
    }
    int CrossLength(const IntRect& r) const {
        return axis == LayoutAxis::kHorizontal ? Height(r) : Width(r);
    }
    IntRect Make(int main, int mainLength, int cross, int crossLength) const {
        if (axis == LayoutAxis::kHorizontal)
            return {main, cross, main + mainLength, cross + crossLength};
        return {cross, main, cross + crossLength, main + mainLength};
    }
};

}  // namespace

void LayOutLine(const IntRect& inner, int childPadding,
                const std::vector<std::unique_ptr<CControl>>& children, LayoutAxis axis) {
    const AxisView view{axis};
    const int crossLength = view.CrossLength(inner);

    struct Slot {
        CControl* control;
        int main;  // 0 while flexible
        int cross;
    };
    std::vector<Slot> slots;
    int taken = 0;
    int flexible = 0;
    for (const auto& child : children) {
        if (!child->IsVisible()) continue;
        CControl& c = *child;
        const int fixedCross = view.FixedCross(c);
        const int cross =
            fixedCross > 0
                ? fixedCross
                : std::max(crossLength - view.CrossPaddingBefore(c) - view.CrossPaddingAfter(c), 0);
        int main = view.FixedMain(c);
        if (main == 0) {
            main = axis == LayoutAxis::kHorizontal ? c.NaturalWidth(view.MainLength(inner))
                                                   : c.NaturalHeight(cross);
        }
        if (main > 0) {
            main = std::clamp(main, view.MinMain(c), std::max(view.MinMain(c), view.MaxMain(c)));
            taken += main;
        } else {
            ++flexible;
        }
        taken += view.PaddingBefore(c) + view.PaddingAfter(c);
        if (!slots.empty()) taken += childPadding;
        slots.push_back({&c, main, cross});
    }

    const int left = std::max(view.MainLength(inner) - taken, 0);
    const int share = flexible > 0 ? left / flexible : 0;
    int remaining = left;
    int flexibleSeen = 0;
    int position = view.MainStart(inner);
    for (const Slot& slot : slots) {
        CControl& c = *slot.control;
        int main = slot.main;
        if (main == 0) {
            ++flexibleSeen;
            main = flexibleSeen == flexible ? remaining : share;
            remaining -= main;
            main = std::clamp(main, view.MinMain(c), std::max(view.MinMain(c), view.MaxMain(c)));
        }
        position += view.PaddingBefore(c);
        const int cross = view.CrossStart(inner) + view.CrossPaddingBefore(c);
        c.SetPos(view.Make(position, main, cross, slot.cross));
        position += main + view.PaddingAfter(c) + childPadding;
    }
}

}  // namespace Skin
