#include "sdk/send_status.h"

#include <mutex>

namespace analytics_sdk {
namespace {

std::mutex statusMutex;
bool lastSucceeded = false;

}  // namespace

bool lastSendSucceeded() {
    std::lock_guard lock(statusMutex);
    return lastSucceeded;
}

void setLastSendSucceeded(bool succeeded) {
    std::lock_guard lock(statusMutex);
    lastSucceeded = succeeded;
}

}  // namespace analytics_sdk
