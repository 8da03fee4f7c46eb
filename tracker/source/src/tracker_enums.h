#pragma once

#include <string>

namespace zerra::analytics {

// Event kinds: every per-kind table of the tracker is indexed by them.
enum EventKind {
    Activity = 0,
    PaLaunchPal = 1,
    Login = 2,
    Click = 3,
    View = 4,
    Cashier = 5,
    Share = 6,
    Task = 7,
    File = 8,
    Order = 9,
    Payment = 10,
    Uninstall = 11,
    Update = 12,
    Crashed = 13,
    AppOpenNotification = 14,
};
inline constexpr int kEventKindCount = 15;

enum class Edition { China = 0, Overseas = 1 };
enum class userType {
    unknown,
    mobilephone,
    email,
    weixin,
    qq,
    deviceid,
    baidu,
    huawei,
    apple,
    zerrauserid,
    google,
    facebook
};
enum class ZrResult { Success = 0, Cancelled = 1, Fail = 2, Unknown = 3 };
enum class ClickType { Button = 0, Banner = 1, Tutorial = 2, File = 3, Others = 4 };
enum class IoType { Input = 0, Output = 1 };
enum class Currency { CNY, USD, EUR, HKD, TWD, MOP, SGD, JPY, KRW, INR, GBP };
enum class PaidPlatform {
    Alipay,
    WeChatPay,
    PayPal,
    Tenpay,
    CIECC,
    GooglePay,
    HuaweiPay,
    AppleIAP,
    Paddle,
    ChinaUnionPay
};
enum class zrIapType { Consumable, NonConsumable, AutoRenewable, NonRenewable };
enum class ZrUpdateOp { UpdateCheck, DownloadStart, DownloadEnd, UpgrateStart, UpgrateEnd };
enum class ZrUpdateResult { Success, Cancelled, Timeout, Fail, Latest, Updateable };

// The names sent for each code. A code outside its list raises ZrException
// "Unknown <type> [<code>]!" (function "toString"); the io type raises
// "the io type is invalid".
std::string toString(EventKind kind);
std::string toString(Edition edition);
std::string toString(userType type);
std::string toString(ZrResult result);
std::string toString(ClickType type);
std::string toString(IoType type);
std::string toString(Currency currency);
std::string toString(PaidPlatform platform);
std::string toString(zrIapType type);
std::string toString(ZrUpdateOp op);
std::string toString(ZrUpdateResult result);

}  // namespace zerra::analytics
