#include "source/src/tracker_enums.h"

#include "source/src/zr_exception.h"

namespace zerra::analytics {
namespace {

template <typename Code, size_t N>
std::string NameOf(Code code, const char* const (&names)[N], const char* typeText) {
    const int value = static_cast<int>(code);
    if (value < 0 || static_cast<size_t>(value) >= N) {
        ZR_RAISE("toString",
                 std::string("Unknown ") + typeText + " [" + std::to_string(value) + "]!");
    }
    return names[value];
}

}  // namespace

std::string toString(EventKind kind) {
    static const char* const names[] = {
        "Activity", "PaLaunchPal", "Login",  "Click",   "View",
        "Cashier",  "Share",       "Task",   "File",    "Order",
        "Payment",  "Uninstall",   "Update", "Crashed", "AppOpenNotification"};
    return NameOf(kind, names, "Event");
}

std::string toString(Edition edition) {
    static const char* const names[] = {"china", "overseas"};
    return NameOf(edition, names, "edition");
}

std::string toString(userType type) {
    static const char* const names[] = {"unknown", "mobilephone", "email",  "weixin",
                                        "qq",      "deviceid",    "baidu",  "huawei",
                                        "apple",   "zerrauserid", "google", "facebook"};
    return NameOf(type, names, "user type");
}

std::string toString(ZrResult result) {
    static const char* const names[] = {"Success", "Cancelled", "Fail", "Unknown"};
    return NameOf(result, names, "task result");
}

std::string toString(ClickType type) {
    static const char* const names[] = {"Button", "Banner", "Tutorial", "File", "Others"};
    return NameOf(type, names, "ClickType");
}

std::string toString(IoType type) {
    if (type == IoType::Input) return "Input";
    if (type == IoType::Output) return "Output";
    ZR_RAISE("toString", "the io type is invalid");
}

std::string toString(Currency currency) {
    static const char* const names[] = {"CNY", "USD", "EUR", "HKD", "TWD", "MOP",
                                        "SGD", "JPY", "KRW", "INR", "GBP"};
    return NameOf(currency, names, "currency");
}

std::string toString(PaidPlatform platform) {
    static const char* const names[] = {"Alipay", "WeChatPay",    "PayPal",    "Tenpay",
                                        "CIECC",  "GooglePay",    "HuaweiPay", "AppleIAP",
                                        "Paddle", "ChinaUnionPay"};
    return NameOf(platform, names, "paid platform");
}

std::string toString(zrIapType type) {
    static const char* const names[] = {"Consumable", "NonConsumable", "AutoRenewable",
                                        "NonRenewable"};
    return NameOf(type, names, "zrIapType");
}

std::string toString(ZrUpdateOp op) {
    static const char* const names[] = {"UpdateCheck", "DownloadStart", "DownloadEnd",
                                        "UpgrateStart", "UpgrateEnd"};
    return NameOf(op, names, "ZrUpdateOp");
}

std::string toString(ZrUpdateResult result) {
    static const char* const names[] = {"Success", "Cancelled", "Timeout",
                                        "Fail",    "Latest",    "Updateable"};
    return NameOf(result, names, "ZrUpdateResult");
}

}  // namespace zerra::analytics
