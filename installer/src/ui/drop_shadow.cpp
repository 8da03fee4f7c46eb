#include "ui/drop_shadow.h"

#include <algorithm>

#include "draw/canvas.h"
#include "draw/image_drawing.h"
#include "markup/skin_package_state.h"
#include "platform/layered_window.h"
#include "skin/window_manager.h"

namespace {

constexpr int kMaxOffset = 20;

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

// The owner's window region, row by row.
std::vector<OwnerRow> OwnerRows(platform::HWND owner, int width, int height) {
    std::vector<OwnerRow> rows(height);
    for (int y = 0; y < height; ++y) {
        int first = 0;
        while (first < width && !platform::PointInWindowRegion(owner, first, y)) ++first;
        if (first == width) continue;
        int last = width - 1;
        while (last > first && !platform::PointInWindowRegion(owner, last, y)) --last;
        rows[y] = {first, last + 1};
    }
    return rows;
}

// The image nine-grid scaled over the whole bitmap, its centre left out and
// the hole (the owner's area moved in by the hole offsets) kept clear.
ShadowBitmap ImageShadow(const Skin::Bitmap& image, const Skin::IntRect& corner,
                         const Skin::IntRect& hole, int width, int height) {
    if (width <= 0 || height <= 0) return {};
    Skin::Canvas canvas;
    canvas.Resize(width, height);
    canvas.Clear(0);
    Skin::ImageDescription description;
    description.corner = corner;
    description.hole = true;
    Skin::DrawImage(canvas, &image, {0, 0, width, height}, description);
    ShadowBitmap bitmap{width, height, {}};
    bitmap.pixels.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        std::copy_n(canvas.pixels() + static_cast<size_t>(y) * width, width,
                    bitmap.pixels.begin() + static_cast<size_t>(height - 1 - y) * width);
    }
    const int left = std::max(corner.left + hole.left, 0);
    const int right = std::min(width - corner.right - hole.right, width);
    for (int y = std::max(corner.top + hole.top, 0);
         y < std::min(height - corner.bottom - hole.bottom, height); ++y) {
        for (int x = left; x < right; ++x) {
            bitmap.pixels[static_cast<size_t>(height - 1 - y) * width + x] = 0;
        }
    }
    return bitmap;
}

std::shared_ptr<const Skin::Bitmap> LoadImage(const std::wstring& name) {
    const auto bytes = Skin::ProcessSkinPackageState().ReadImageFile(name);
    if (!bytes) return nullptr;
    return Skin::DecodeBitmap({reinterpret_cast<const char*>(bytes->data()), bytes->size()}, 0);
}

}  // namespace

void CDropShadow::Initialize() {
    Skin::SetWindowShadowFactory([] { return std::make_unique<CDropShadow>(); });
}

CDropShadow::~CDropShadow() {
    if (platform::IsWindow(window_)) platform::DestroyWindow(window_);
}

void CDropShadow::Create(platform::HWND owner, const Skin::WindowManager& manager) {
    const std::wstring* show = manager.GetWindowCustomAttribute(L"showshadow");
    if (show == nullptr || !Skin::EqualsIgnoreCase(*show, L"true")) return;
    Create(owner);
    auto attribute = [&manager](const wchar_t* name) {
        return manager.GetWindowCustomAttribute(name);
    };
    if (const std::wstring* image = attribute(L"shadowimage")) {
        const std::wstring* corner = attribute(L"shadowcorner");
        const std::wstring* hole = attribute(L"shadowholeoffset");
        SetImage(LoadImage(*image), corner ? Skin::ParseIntRect(*corner) : Skin::IntRect{},
                 hole ? Skin::ParseIntRect(*hole) : Skin::IntRect{});
    }
    if (const std::wstring* size = attribute(L"shadowsize")) SetSize(Skin::ParseInteger(*size));
    if (const std::wstring* sharpness = attribute(L"shadowsharpness")) {
        SetSharpness(Skin::ParseInteger(*sharpness));
    }
    if (const std::wstring* darkness = attribute(L"shadowdarkness")) {
        SetDarkness(Skin::ParseInteger(*darkness));
    }
    if (const std::wstring* position = attribute(L"shadowposition")) {
        const Skin::IntSize offset = Skin::ParseIntSize(*position);
        SetPosition(offset.cx, offset.cy);
    }
    if (const std::wstring* color = attribute(L"shadowcolor")) {
        SetColor(Skin::ParseColor(*color));
    }
}

void CDropShadow::Create(platform::HWND owner) {
    if (!platform::LayeredWindowsAvailable() || platform::IsWindow(window_)) return;
    owner_ = owner;
    window_ = platform::CreateLayeredPopup(owner);
    if (window_ == nullptr) return;
    if (!platform::IsWindowVisible(owner)) {
        status_ = kEnabled;
    } else if (platform::IsIconic(owner) || platform::IsZoomed(owner)) {
        status_ = kEnabled | kOwnerVisible;
    } else {
        status_ = kEnabled | kVisible | kOwnerVisible;
        platform::ShowWindow(window_, platform::SW_SHOWNOACTIVATE);
        Update();
    }
}

void CDropShadow::OnOwnerMessage(platform::UINT message, platform::WPARAM wParam,
                                 platform::LPARAM lParam) {
    if (message == platform::WM_DESTROY) {
        // Owned windows usually go first; this covers the rest.
        if (platform::IsWindow(window_)) platform::DestroyWindow(window_);
        window_ = nullptr;
        return;
    }
    if (!platform::IsWindow(window_)) return;
    switch (message) {
        case platform::WM_MOVE:
            if (Has(kVisible)) {
                platform::RECT owner;
                platform::GetWindowRect(owner_, &owner);
                const platform::POINT at = Position(owner);
                platform::SetWindowPos(
                    window_, at.x, at.y, 0, 0,
                    platform::SWP_NOSIZE | platform::SWP_NOZORDER | platform::SWP_NOACTIVATE);
            }
            break;
        case platform::WM_SIZE:
            if (Has(kEnabled)) OnOwnerSize(wParam, lParam);
            break;
        case platform::WM_PAINT:
            if (updatePending_) {
                Update();
                updatePending_ = false;
            }
            break;
        case platform::WM_ACTIVATE:
        case platform::WM_EXITSIZEMOVE:
            if (Has(kVisible)) Update();
            break;
        case platform::WM_SHOWWINDOW:
            if (!Has(kEnabled)) break;
            if (wParam == 0) {
                platform::ShowWindow(window_, platform::SW_HIDE);
                status_ &= ~(kVisible | kOwnerVisible);
            } else if (!Has(kVisible)) {
                updatePending_ = true;
                platform::ShowWindow(window_, platform::SW_SHOWNOACTIVATE);
                status_ |= kVisible | kOwnerVisible;
            }
            break;
        default:
            break;
    }
}

void CDropShadow::OnOwnerSize(platform::WPARAM kind, platform::LPARAM clientSize) {
    // The client width and height are the low and high words.
    const platform::POINT size{static_cast<int>(clientSize & 0xFFFF),
                               static_cast<int>((clientSize >> 16) & 0xFFFF)};
    if (kind == platform::SIZE_MINIMIZED || kind == platform::SIZE_MAXIMIZED) {
        platform::ShowWindow(window_, platform::SW_HIDE);
        status_ &= ~kVisible;
    } else if (Has(kOwnerVisible)) {
        // A smaller owner uncovers shadow at once; a larger one is drawn
        // first, and the shadow follows on its paint.
        if (size.x <= lastSize_.x && size.y <= lastSize_.y) {
            Update();
        } else {
            updatePending_ = true;
        }
        if (!Has(kVisible)) {
            platform::ShowWindow(window_, platform::SW_SHOWNOACTIVATE);
            status_ |= kVisible;
        }
    }
    lastSize_ = size;
}

platform::POINT CDropShadow::Position(const platform::RECT& owner) const {
    if (image_ != nullptr) return {owner.left - corner_.left, owner.top - corner_.top};
    return {owner.left + look_.offsetX - look_.size, owner.top + look_.offsetY - look_.size};
}

void CDropShadow::Update() {
    platform::RECT owner;
    if (!platform::IsWindow(window_) || !platform::GetWindowRect(owner_, &owner)) return;
    const int width = owner.right - owner.left;
    const int height = owner.bottom - owner.top;
    const ShadowBitmap bitmap =
        image_ != nullptr
            ? ImageShadow(*image_, corner_, hole_, width + corner_.left + corner_.right,
                          height + corner_.top + corner_.bottom)
            : ComputeShadow(width, OwnerRows(owner_, width, height), look_);
    if (bitmap.pixels.empty()) return;
    const platform::POINT at = Position(owner);
    platform::UpdateLayeredWindow(window_, at.x, at.y, bitmap.width, bitmap.height,
                                  bitmap.pixels.data());
}

void CDropShadow::Redraw() {
    if (Has(kVisible)) Update();
}

bool CDropShadow::SetSize(int size) {
    if (!InRange(size, -kMaxOffset, kMaxOffset)) return false;
    look_.size = size;
    Redraw();
    return true;
}

bool CDropShadow::SetSharpness(int sharpness) {
    if (!InRange(sharpness, 0, 20)) return false;
    look_.sharpness = sharpness;
    Redraw();
    return true;
}

bool CDropShadow::SetDarkness(int darkness) {
    if (!InRange(darkness, 0, 255)) return false;
    look_.darkness = darkness;
    Redraw();
    return true;
}

bool CDropShadow::SetPosition(int x, int y) {
    if (!InRange(x, -kMaxOffset, kMaxOffset) || !InRange(y, -kMaxOffset, kMaxOffset)) {
        return false;
    }
    look_.offsetX = x;
    look_.offsetY = y;
    Redraw();
    return true;
}

bool CDropShadow::SetColor(uint32_t color) {
    look_.color = color & 0x00FFFFFF;
    Redraw();
    return true;
}

bool CDropShadow::SetImage(std::shared_ptr<const Skin::Bitmap> image, const Skin::IntRect& corner,
                           const Skin::IntRect& hole) {
    if (image == nullptr) return false;
    image_ = std::move(image);
    corner_ = corner;
    hole_ = hole;
    Redraw();
    return true;
}
