#pragma once

#include <cstdint>

namespace platform {

// Connectivity flags as the Network List Manager reports them.
inline constexpr uint32_t kConnectivityIpv4NoInternet = 0x20;
inline constexpr uint32_t kConnectivityIpv4Internet = 0x40;
inline constexpr uint32_t kConnectivityIpv6NoInternet = 0x200;
inline constexpr uint32_t kConnectivityIpv6Internet = 0x400;

// What INetworkListManager's GetConnectivity and get_IsConnectedToInternet
// report, from the interfaces that are up (loopback aside) and the default
// routes in /proc/net/route and /proc/net/ipv6_route.
struct NetworkState {
    uint32_t connectivity = 0;
    bool connectedToInternet = false;
};

// False when the state cannot be learnt (the manager cannot be created).
bool QueryNetworkState(NetworkState& state);

}  // namespace platform
