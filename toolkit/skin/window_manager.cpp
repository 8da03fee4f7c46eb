#include "skin/window_manager.h"

#include <algorithm>
#include <chrono>

#include "markup/skin_package_state.h"
#include "skin/container.h"

namespace Skin {
namespace {

std::map<int, std::wstring>& LanguageStrings() {
    static std::map<int, std::wstring> strings;
    return strings;
}

// Managers of every live window, for the pre-translation of messages.
std::vector<WindowManager*>& Managers() {
    static std::vector<WindowManager*> managers;
    return managers;
}

// Fonts declared with shared="true" serve every window of the process.
std::map<int, std::shared_ptr<Font>>& SharedFonts() {
    static std::map<int, std::shared_ptr<Font>> fonts;
    return fonts;
}

uint32_t NowMilliseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

// The face a window falls back to without any Font element (the system's
// default GUI font).
constexpr const wchar_t* kDefaultFaceName = L"微软雅黑";
constexpr int kDefaultFontSize = 12;

}  // namespace

WindowManager::WindowManager() { Managers().push_back(this); }

WindowManager::~WindowManager() {
    ReleaseRoot();
    auto& managers = Managers();
    managers.erase(std::remove(managers.begin(), managers.end(), this), managers.end());
}

void WindowManager::Init(platform::HWND hwnd) { hwnd_ = hwnd; }

void WindowManager::AttachRoot(std::unique_ptr<CControl> root) {
    ReleaseRoot();
    root_ = std::move(root);
    if (root_ == nullptr) return;
    root_->SetManager(this, nullptr);
    needLayout_ = true;
    firstLayout_ = true;
    Invalidate();
}

void WindowManager::ReleaseRoot() {
    // Controls unregister themselves while the tree goes.
    std::unique_ptr<CControl> old = std::move(root_);
    old.reset();
    names_.clear();
    focus_ = hot_ = captured_ = nullptr;
}

CControl* WindowManager::FindControl(std::wstring_view name) const {
    const auto found = names_.find(name);
    return found == names_.end() ? nullptr : found->second;
}

CControl* WindowManager::FindControlAt(int x, int y) const {
    return root_ != nullptr ? root_->FindControlAt(x, y) : nullptr;
}

void WindowManager::RegisterControlName(CControl& control) {
    if (!control.GetName().empty()) names_.try_emplace(control.GetName(), &control);
}

void WindowManager::AddFont(const FontDeclaration& declaration) {
    const FontSpec spec{declaration.faceName, declaration.size, declaration.bold,
                        declaration.underline, declaration.italic};
    std::shared_ptr<Font> font = Font::Create(spec);
    if (font == nullptr) return;
    (declaration.shared ? SharedFonts() : fonts_)[declaration.id] = font;
    if (declaration.isDefault) defaultFont_ = font;
    NeedUpdate();
}

Font* WindowManager::GetFont(int id) {
    if (const auto found = fonts_.find(id); found != fonts_.end()) return found->second.get();
    if (const auto found = SharedFonts().find(id); found != SharedFonts().end()) {
        return found->second.get();
    }
    if (defaultFont_ != nullptr) return defaultFont_.get();
    if (fallbackFont_ == nullptr)
        fallbackFont_ = Font::Create({kDefaultFaceName, kDefaultFontSize});
    return fallbackFont_.get();
}

std::shared_ptr<const Bitmap> WindowManager::GetImage(const std::wstring& name, uint32_t mask) {
    const auto key = std::make_pair(name, mask);
    if (const auto found = images_.find(key); found != images_.end()) return found->second;
    std::shared_ptr<const Bitmap> bitmap;
    if (const auto bytes = ProcessSkinPackageState().ReadImageFile(name)) {
        bitmap = DecodeBitmap({reinterpret_cast<const char*>(bytes->data()), bytes->size()}, mask);
    }
    images_.emplace(key, bitmap);
    return bitmap;
}

void WindowManager::AddDefaultAttributeList(const std::wstring& tagName,
                                            const std::wstring& attributes) {
    defaultAttributes_[tagName] = attributes;
}

const std::wstring* WindowManager::GetDefaultAttributeList(std::wstring_view tagName) const {
    const auto found = defaultAttributes_.find(tagName);
    return found == defaultAttributes_.end() ? nullptr : &found->second;
}

void WindowManager::AddMultiLanguageString(int id, const std::wstring& text) {
    LanguageStrings()[id] = text;
}

const std::wstring* WindowManager::GetMultiLanguageString(int id) {
    const auto found = LanguageStrings().find(id);
    return found == LanguageStrings().end() ? nullptr : &found->second;
}

void WindowManager::ApplyWindowAttribute(std::wstring_view name, std::wstring_view value) {
    if (EqualsIgnoreCase(name, L"size")) {
        initialSize_ = ParseIntSize(value);
        if (hwnd_ != nullptr) {
            platform::SetWindowPos(
                hwnd_, 0, 0, initialSize_.cx, initialSize_.cy,
                platform::SWP_NOZORDER | platform::SWP_NOMOVE | platform::SWP_NOACTIVATE);
        }
    } else if (EqualsIgnoreCase(name, L"caption")) {
        caption_ = ParseIntRect(value);
    } else if (EqualsIgnoreCase(name, L"roundcorner")) {
        roundCorner_ = ParseIntSize(value);
    } else if (EqualsIgnoreCase(name, L"sizebox")) {
        sizeBox_ = ParseIntRect(value);
    } else if (EqualsIgnoreCase(name, L"mininfo")) {
        minInfo_ = ParseIntSize(value);
    } else if (EqualsIgnoreCase(name, L"maxinfo")) {
        maxInfo_ = ParseIntSize(value);
    } else if (EqualsIgnoreCase(name, L"defaultfontcolor")) {
        defaultTextColor_ = ParseColor(value);
    } else if (EqualsIgnoreCase(name, L"disabledfontcolor")) {
        disabledTextColor_ = ParseColor(value);
    } else {
        static constexpr std::wstring_view kKnownUnused[] = {
            L"showdirty",          L"noactivate",   L"opacity",
            L"layeredopacity",     L"layeredimage", L"linkfontcolor",
            L"linkhoverfontcolor", L"selectedcolor"};
        for (std::wstring_view known : kKnownUnused) {
            if (EqualsIgnoreCase(name, known)) return;
        }
        customAttributes_.try_emplace(std::wstring(name), value);
    }
}

const std::wstring* WindowManager::GetWindowCustomAttribute(std::wstring_view name) const {
    for (const auto& [key, value] : customAttributes_) {
        if (EqualsIgnoreCase(key, name)) return &value;
    }
    return nullptr;
}

void WindowManager::SetFocus(CControl* control) {
    if (control == focus_) return;
    CControl* old = focus_;
    focus_ = control;
    if (old != nullptr) {
        ControlEvent event = MakeEvent(ControlEventType::kKillFocus, old);
        old->DoEvent(event);
        SendNotify(old, L"killfocus");
    }
    if (control != nullptr && focus_ == control) {
        ControlEvent event = MakeEvent(ControlEventType::kSetFocus, control);
        control->DoEvent(event);
        SendNotify(control, L"setfocus");
    }
}

void WindowManager::Invalidate() {
    if (hwnd_ != nullptr) platform::InvalidateRect(hwnd_);
}

void WindowManager::NeedUpdate() {
    needLayout_ = true;
    Invalidate();
}

void WindowManager::PaintCanvas() {
    platform::RECT client;
    if (!platform::GetClientRect(hwnd_, &client)) return;
    if (canvas_.width() != client.right || canvas_.height() != client.bottom) {
        canvas_.Resize(client.right, client.bottom);
        needLayout_ = true;
    }
    const IntRect area{0, 0, client.right, client.bottom};
    // The root takes the whole client area whatever its own size says.
    while (needLayout_ && root_ != nullptr) {
        needLayout_ = false;
        root_->SetPos(area);
        if (firstLayout_) {
            firstLayout_ = false;
            SendNotify(root_.get(), L"windowinit");
        }
    }
    canvas_.Clear(0);
    if (root_ != nullptr) root_->DoPaint(canvas_, area);
}

bool WindowManager::SetTimer(CControl* control, platform::UINT id, platform::UINT periodMs) {
    for (Timer& timer : timers_) {
        if (timer.control != control || timer.localId != id) continue;
        if (!timer.killed) return false;
        if (platform::SetTimer(hwnd_, timer.nativeId, periodMs) == 0) return false;
        timer.killed = false;
        return true;
    }
    // Native ids count round modulo 255; one still held by an entry is
    // passed over so that two timers never share it.
    for (int attempt = 0; attempt < 255; ++attempt) {
        timerCounter_ = (timerCounter_ + 1) % 255;
        const bool inUse = std::any_of(timers_.begin(), timers_.end(), [this](const Timer& t) {
            return t.nativeId == timerCounter_;
        });
        if (inUse) continue;
        if (platform::SetTimer(hwnd_, timerCounter_, periodMs) == 0) return false;
        timers_.push_back({control, id, timerCounter_, false});
        return true;
    }
    return false;
}

void WindowManager::KillTimer(CControl* control, platform::UINT id) {
    for (Timer& timer : timers_) {
        if (timer.control == control && timer.localId == id && !timer.killed) {
            platform::KillTimer(hwnd_, timer.nativeId);
            timer.killed = true;
        }
    }
}

void WindowManager::OnTimer(platform::WPARAM nativeId) {
    for (const Timer& timer : timers_) {
        if (timer.nativeId == nativeId && !timer.killed) {
            ControlEvent event = MakeEvent(ControlEventType::kTimer, timer.control);
            event.wParam = timer.localId;
            timer.control->DoEvent(event);
            return;
        }
    }
}

void WindowManager::SendNotify(CControl* sender, std::wstring_view type, platform::WPARAM wParam,
                               platform::LPARAM lParam, bool asynchronous, bool allowRepeat) {
    Notification notification;
    notification.type = type;
    notification.sender = sender;
    notification.timestamp = NowMilliseconds();
    notification.mousePoint = LastMouse();
    notification.wParam = wParam;
    notification.lParam = lParam;
    if (!asynchronous) {
        Deliver(notification);
        return;
    }
    bool post = false;
    {
        std::lock_guard guard(queueLock_);
        auto same = queue_.end();
        if (!allowRepeat) {
            same = std::find_if(queue_.begin(), queue_.end(), [&](const Notification& queued) {
                return queued.sender == sender && queued.type == type;
            });
        }
        if (same != queue_.end()) {
            *same = notification;
        } else {
            queue_.push_back(notification);
        }
        post = !drainPosted_;
        drainPosted_ = true;
    }
    if (post) platform::PostMessage(hwnd_, kDrainNotificationsMessage, 0, 0);
}

void WindowManager::Deliver(Notification& notification) {
    if (notification.sender != nullptr && notification.sender->GetNotifyDelegate()) {
        notification.sender->GetNotifyDelegate()(notification);
    }
    // A listener may register or remove listeners while it runs.
    const std::vector<INotifyListener*> listeners = notifiers_;
    for (INotifyListener* listener : listeners) {
        if (std::find(notifiers_.begin(), notifiers_.end(), listener) != notifiers_.end()) {
            listener->OnNotify(notification);
        }
    }
}

void WindowManager::DrainNotifications() {
    {
        std::lock_guard guard(queueLock_);
        drainPosted_ = false;
    }
    for (;;) {
        Notification notification;
        {
            std::lock_guard guard(queueLock_);
            if (queue_.empty()) return;
            notification = std::move(queue_.front());
            queue_.pop_front();
        }
        Deliver(notification);
    }
}

void WindowManager::AddNotifier(INotifyListener* listener) {
    if (std::find(notifiers_.begin(), notifiers_.end(), listener) == notifiers_.end()) {
        notifiers_.push_back(listener);
    }
}

void WindowManager::RemoveNotifier(INotifyListener* listener) {
    notifiers_.erase(std::remove(notifiers_.begin(), notifiers_.end(), listener), notifiers_.end());
}

void WindowManager::AddPreMessageFilter(IMessageFilter* filter) {
    if (std::find(preFilters_.begin(), preFilters_.end(), filter) == preFilters_.end()) {
        preFilters_.push_back(filter);
    }
}

void WindowManager::RemovePreMessageFilter(IMessageFilter* filter) {
    preFilters_.erase(std::remove(preFilters_.begin(), preFilters_.end(), filter),
                      preFilters_.end());
}

bool WindowManager::PreMessageHandler(platform::UINT message, platform::WPARAM wParam,
                                      platform::LPARAM lParam, platform::LRESULT& result) {
    const std::vector<IMessageFilter*> filters = preFilters_;
    for (IMessageFilter* filter : filters) {
        bool handled = false;
        const platform::LRESULT answer = filter->MessageFilter(message, wParam, lParam, handled);
        if (handled) {
            result = answer;
            return true;
        }
    }
    return false;
}

bool WindowManager::TranslateMessage(const platform::MSG& msg) {
    for (platform::HWND hwnd = msg.hwnd; hwnd != nullptr; hwnd = platform::GetWindowOwner(hwnd)) {
        const std::vector<WindowManager*> managers = Managers();
        for (WindowManager* manager : managers) {
            if (manager->hwnd_ != hwnd) continue;
            platform::LRESULT ignored = 0;
            if (manager->PreMessageHandler(msg.message, msg.wParam, msg.lParam, ignored))
                return true;
        }
    }
    return false;
}

platform::POINT WindowManager::LastMouse() const {
    const uint64_t packed = lastMouse_.load(std::memory_order_relaxed);
    return {static_cast<int32_t>(packed >> 32), static_cast<int32_t>(packed & 0xFFFFFFFF)};
}

void WindowManager::SetLastMouse(int x, int y) {
    lastMouse_.store(
        (static_cast<uint64_t>(static_cast<uint32_t>(x)) << 32) | static_cast<uint32_t>(y),
        std::memory_order_relaxed);
}

ControlEvent WindowManager::MakeEvent(ControlEventType type, CControl* sender) const {
    ControlEvent event;
    event.type = type;
    event.sender = sender;
    event.timestamp = NowMilliseconds();
    const platform::POINT mouse = LastMouse();
    event.x = mouse.x;
    event.y = mouse.y;
    return event;
}

void WindowManager::OnMouseMove(int x, int y) {
    SetLastMouse(x, y);
    CControl* hit = FindControlAt(x, y);
    if (hit != hot_) {
        if (hot_ != nullptr) {
            ControlEvent leave = MakeEvent(ControlEventType::kMouseLeave, hot_);
            hot_->DoEvent(leave);
        }
        hot_ = hit;
        if (hot_ != nullptr) {
            ControlEvent enter = MakeEvent(ControlEventType::kMouseEnter, hot_);
            hot_->DoEvent(enter);
        }
    }
    CControl* target = captured_ != nullptr ? captured_ : hot_;
    if (target != nullptr) {
        ControlEvent move = MakeEvent(ControlEventType::kMouseMove, target);
        target->DoEvent(move);
    }
}

void WindowManager::OnButtonDown(int x, int y) {
    OnMouseMove(x, y);
    CControl* hit = FindControlAt(x, y);
    if (hit == nullptr || !hit->IsEnabled()) return;
    SetFocus(hit);
    // The focus handlers may have changed the tree.
    if (FindControlAt(x, y) != hit) return;
    captured_ = hit;
    ControlEvent down = MakeEvent(ControlEventType::kButtonDown, hit);
    hit->DoEvent(down);
}

void WindowManager::OnButtonUp(int x, int y) {
    SetLastMouse(x, y);
    CControl* target = captured_;
    captured_ = nullptr;
    if (target == nullptr) return;
    ControlEvent up = MakeEvent(ControlEventType::kButtonUp, target);
    target->DoEvent(up);
}

void WindowManager::OnKeyDown(platform::WPARAM key) {
    if (key == platform::VK_TAB) {
        MoveFocus();
        return;
    }
    if (focus_ == nullptr) return;
    ControlEvent event = MakeEvent(ControlEventType::kKeyDown, focus_);
    event.key = key;
    focus_->DoEvent(event);
}

void WindowManager::MoveFocus() {
    if (root_ == nullptr) return;
    std::vector<CControl*> order;
    root_->ForEach([&order](CControl& control) {
        if (!control.IsFocusable() || !control.IsEnabled()) return;
        for (CControl* c = &control; c != nullptr; c = c->GetParent()) {
            if (!c->IsVisible()) return;
        }
        order.push_back(&control);
    });
    if (order.empty()) return;
    const auto current = std::find(order.begin(), order.end(), focus_);
    SetFocus(current == order.end() || current + 1 == order.end() ? order.front() : *(current + 1));
}

void WindowManager::ForgetControl(CControl* control) {
    if (focus_ == control) focus_ = nullptr;
    if (hot_ == control) hot_ = nullptr;
    if (captured_ == control) captured_ = nullptr;
    for (auto it = names_.begin(); it != names_.end();) {
        it = it->second == control ? names_.erase(it) : std::next(it);
    }
    for (auto it = timers_.begin(); it != timers_.end();) {
        if (it->control != control) {
            ++it;
            continue;
        }
        if (!it->killed) platform::KillTimer(hwnd_, it->nativeId);
        it = timers_.erase(it);
    }
    std::lock_guard guard(queueLock_);
    queue_.erase(std::remove_if(queue_.begin(), queue_.end(),
                                [control](const Notification& n) { return n.sender == control; }),
                 queue_.end());
}

bool WindowManager::MessageHandler(platform::UINT message, platform::WPARAM wParam,
                                   platform::LPARAM lParam, platform::LRESULT& result) {
    result = 0;
    const int x = platform::GET_X_LPARAM(lParam);
    const int y = platform::GET_Y_LPARAM(lParam);
    switch (message) {
        case platform::WM_PAINT:
            PaintCanvas();
            platform::PresentBits(hwnd_, canvas_.pixels(), canvas_.width(), canvas_.height());
            return true;
        case platform::WM_SIZE:
            NeedUpdate();
            return false;
        case platform::WM_TIMER:
            OnTimer(wParam);
            return true;
        case kDrainNotificationsMessage:
            DrainNotifications();
            return true;
        case platform::WM_MOUSEMOVE:
            OnMouseMove(x, y);
            return true;
        case platform::WM_LBUTTONDOWN:
            OnButtonDown(x, y);
            return true;
        case platform::WM_LBUTTONUP:
            OnButtonUp(x, y);
            return true;
        case platform::WM_KEYDOWN:
            OnKeyDown(wParam);
            return true;
        case platform::WM_CHAR:
            if (focus_ != nullptr) {
                ControlEvent event = MakeEvent(ControlEventType::kChar, focus_);
                event.ch = static_cast<wchar_t>(wParam);
                focus_->DoEvent(event);
            }
            return true;
        case platform::WM_MOUSEWHEEL:
            if (hot_ != nullptr) {
                ControlEvent event = MakeEvent(ControlEventType::kScrollWheel, hot_);
                event.wParam = wParam;
                hot_->DoEvent(event);
            }
            return true;
        case platform::WM_KILLFOCUS:
            // A press in progress ends without a click.
            if (captured_ != nullptr) OnButtonUp(-1, -1);
            return false;
        default:
            return false;
    }
}

}  // namespace Skin
