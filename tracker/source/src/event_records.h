#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "source/src/tracker_enums.h"

namespace zerra::analytics {

// The records the track operations take. Texts are UTF-8 and sent only when
// non-empty; an optional number is a pointer that may be empty.

struct TrackerOptions {
    std::string appName;
    std::string appVersion;
    std::string appStore;
    std::string dlAppId;
    std::string dlAppVersion;
    std::string logFilePath;
    int edition = 0;
    std::string endpointUrl;
    // Bound on each request; the record layer's three seconds unless a test asks less.
    long requestTimeoutSeconds = 3;
};

struct zrEventClick {
    std::string aname;
    std::string name;
    ClickType clickType = ClickType::Others;
    std::string title;
    std::string module;
    std::string position;
    std::shared_ptr<int> tabIndex;
    std::string tabName;
    std::shared_ptr<int> bannerIndex;
    std::string bannerName;
};

struct zrEventView {
    std::string aname;
    std::string name;
    std::string title;
    std::string position;
};

struct zrEventTask {
    std::string aname;
    std::string name;
    std::string reason;
    std::shared_ptr<float> elapsed;
    std::shared_ptr<ZrResult> result;
};

struct zrEventLogin {
    std::string loginId;
    userType type = userType::unknown;
    int vipLevel = 0;
    std::string name;
    std::string nickname;
    std::string portrait;
    std::string mobilePhone;
    std::string email;
    std::string weixin;
    std::string qq;
    std::string did;
    std::string created;
    std::string lastLogin;
    std::string lastIp;
    std::string vipEndDate;
};

struct zrEventCashier {
    std::string cashierName;
    std::string cashierTitle;
    std::string subitem;
};

struct zrEventShare {
    std::string aname;
    std::string channel;
    std::string position;
    std::string sharedName;
    std::shared_ptr<ZrResult> result;
};

struct zrEventFile {
    std::string aname;
    std::string name;
    std::shared_ptr<IoType> ioType;
    std::string extension;
    std::shared_ptr<double> size;
    std::shared_ptr<int64_t> duration;
    std::shared_ptr<float> fps;
    std::shared_ptr<float> bps;
    std::shared_ptr<int> width;
    std::shared_ptr<int> height;
    std::shared_ptr<int> depth;
    std::shared_ptr<ZrResult> result;
};

struct zrEventOrder {
    std::string orderId;
    std::string subitem;
    std::string sku;
    std::string suitId;
    std::shared_ptr<Currency> currency;
    double originalAmount = 0;
    std::shared_ptr<int> campaignCode;
    std::string voucherId;
    double paidAmount = 0;
    double currentOriginalAmount = 0;
    double currentPaidAmount = 0;
    std::string cashierName;
    std::string cashierTitle;
};

struct zrEventPayment : zrEventOrder {
    PaidPlatform paidPlatform = PaidPlatform::Alipay;
    std::string usedVoucherId;
    std::shared_ptr<zrIapType> iapType;
    std::shared_ptr<ZrResult> result;
};

struct zrEventUpdate {
    ZrUpdateOp op = ZrUpdateOp::UpdateCheck;
    std::shared_ptr<float> elapsed;
    std::shared_ptr<ZrUpdateResult> result;
};

struct AppOpenNotificationRecord {
    std::string msgTitle;
    std::string msgContent;
    std::string linkUrl;
    std::string planId;
    std::string audienceId;
    std::string planStrategyId;
    std::string planType;
    std::string strategyUnitId;
};

}  // namespace zerra::analytics
