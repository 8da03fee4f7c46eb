#include "platform/network_state.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <net/route.h>
#include <netinet/in.h>

#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace platform {
namespace {

// Interfaces that are up and have an address of the family, loopback aside.
struct UpInterfaces {
    std::set<std::string> ipv4;
    std::set<std::string> ipv6;
};

bool FindUpInterfaces(UpInterfaces& up) {
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) return false;
    for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
        if (entry->ifa_addr == nullptr || (entry->ifa_flags & IFF_UP) == 0 ||
            (entry->ifa_flags & IFF_LOOPBACK) != 0) {
            continue;
        }
        if (entry->ifa_addr->sa_family == AF_INET) up.ipv4.insert(entry->ifa_name);
        if (entry->ifa_addr->sa_family == AF_INET6) up.ipv6.insert(entry->ifa_name);
    }
    ::freeifaddrs(list);
    return true;
}

// The white-space separated fields of each line of a /proc/net table.
std::vector<std::vector<std::string>> ReadTable(const wchar_t* path) {
    std::vector<std::vector<std::string>> rows;
    std::string text;
    if (!ReadWholeFile(path, text)) return rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::vector<std::string> row;
        for (std::string field; fields >> field;) row.push_back(std::move(field));
        rows.push_back(std::move(row));
    }
    return rows;
}

unsigned long HexNumber(const std::string& text) { return std::strtoul(text.c_str(), nullptr, 16); }

// /proc/net/route: Iface Destination Gateway Flags RefCnt Use Metric Mask ...
bool HasIpv4DefaultRoute(const std::set<std::string>& interfaces) {
    for (const auto& row : ReadTable(L"/proc/net/route")) {
        if (row.size() >= 8 && row[1] == "00000000" && row[7] == "00000000" &&
            (HexNumber(row[3]) & RTF_UP) != 0 && interfaces.count(row[0]) != 0) {
            return true;
        }
    }
    return false;
}

// /proc/net/ipv6_route: destination, prefix length, source, source prefix,
// next hop, metric, reference count, use, flags, interface.
bool HasIpv6DefaultRoute(const std::set<std::string>& interfaces) {
    for (const auto& row : ReadTable(L"/proc/net/ipv6_route")) {
        if (row.size() < 10 || row[0] != std::string(32, '0') || row[1] != "00") continue;
        const unsigned long flags = HexNumber(row[8]);
        if ((flags & RTF_UP) != 0 && (flags & RTF_REJECT) == 0 && interfaces.count(row[9]) != 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool QueryNetworkState(NetworkState& state) {
    UpInterfaces up;
    if (!FindUpInterfaces(up)) return false;
    state = NetworkState{};
    const bool ipv4Internet = !up.ipv4.empty() && HasIpv4DefaultRoute(up.ipv4);
    const bool ipv6Internet = !up.ipv6.empty() && HasIpv6DefaultRoute(up.ipv6);
    if (!up.ipv4.empty()) {
        state.connectivity |=
            ipv4Internet ? kConnectivityIpv4Internet : kConnectivityIpv4NoInternet;
    }
    if (!up.ipv6.empty()) {
        state.connectivity |=
            ipv6Internet ? kConnectivityIpv6Internet : kConnectivityIpv6NoInternet;
    }
    state.connectedToInternet = ipv4Internet || ipv6Internet;
    return true;
}

}  // namespace platform
