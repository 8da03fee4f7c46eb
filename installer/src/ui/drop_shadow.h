#pragma once

#include <memory>

#include "draw/bitmap.h"
#include "markup/markup_values.h"
#include "platform/window.h"
#include "skin/window_shadow.h"
#include "ui/shadow_bitmap.h"

// The soft shadow of a skinned window: a layered, click-through popup owned
// by the window that follows it (moves, sizes, shows and hides with it) and
// shows either the computed shadow or a nine-grid shadow image.
class CDropShadow : public Skin::IWindowShadow {
public:
    // Once per process, at start-up: frames get this shadow from then on.
    static void Initialize();

    CDropShadow() = default;
    ~CDropShadow() override;
    CDropShadow(const CDropShadow&) = delete;
    CDropShadow& operator=(const CDropShadow&) = delete;

    // Reads the window's shadow attributes; a shadow only when "showshadow"
    // is "true" (any letter case). Out-of-range values are ignored one by one.
    void Create(platform::HWND owner, const Skin::WindowManager& manager) override;
    void OnOwnerMessage(platform::UINT message, platform::WPARAM wParam,
                        platform::LPARAM lParam) override;

    // Makes the shadow window for the owner. Does nothing without layered windows.
    void Create(platform::HWND owner);

    // False, and nothing changes, outside the ranges; a visible shadow is
    // drawn again.
    bool SetSize(int size);            // -20 to 20
    bool SetSharpness(int sharpness);  // 0 to 20
    bool SetDarkness(int darkness);    // 0 to 255
    bool SetPosition(int x, int y);    // each -20 to 20
    bool SetColor(uint32_t color);     // red in the lowest byte; the top byte is ignored
    // The image variant: the image scaled over the owner plus the corner
    // margins by nine-grid, its centre (the hole) left out.
    bool SetImage(std::shared_ptr<const Skin::Bitmap> image, const Skin::IntRect& corner,
                  const Skin::IntRect& hole);

    platform::HWND window() const { return window_; }
    const ShadowLook& look() const { return look_; }

private:
    enum Status : unsigned { kEnabled = 1, kVisible = 2, kOwnerVisible = 4 };

    void OnOwnerSize(platform::WPARAM kind, platform::LPARAM clientSize);
    void Update();
    void Redraw();
    platform::POINT Position(const platform::RECT& owner) const;
    bool Has(Status flag) const { return (status_ & flag) != 0; }

    platform::HWND owner_ = nullptr;
    platform::HWND window_ = nullptr;
    unsigned status_ = 0;
    ShadowLook look_{0, 5, 150, 5, 5, 0};
    platform::POINT lastSize_;
    bool updatePending_ = false;
    std::shared_ptr<const Skin::Bitmap> image_;
    Skin::IntRect corner_;
    Skin::IntRect hole_;
};
