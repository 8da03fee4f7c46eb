#pragma once

namespace analytics_sdk {

// Whether the latest attempted POST of this process was answered with 200.
// False until the first one; survives Sdk::Shutdown.
bool lastSendSucceeded();
void setLastSendSucceeded(bool succeeded);

}  // namespace analytics_sdk
