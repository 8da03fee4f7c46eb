#include "utils/check_network.h"

#include "app/debug_log.h"
#include "platform/network_state.h"

namespace Utils {

int32_t CheckNetwork() {
    platform::NetworkState state;
    if (!platform::QueryNetworkState(state)) return 0;
    int32_t verdict = 0;
    if (state.connectivity == 0) {
        DebugLog(L"GetConnectivity %d", 0);
        verdict = 1;
    } else if (!state.connectedToInternet) {
        DebugLog(L"get_IsConnectedToInternet:%d", 0);
        verdict = 2;
    }
    return static_cast<int32_t>(state.connectivity) | (verdict << 16);
}

}  // namespace Utils
