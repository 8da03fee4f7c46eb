#include "utils/check_network.h"

#include <gtest/gtest.h>

#include <string>

#include "run_process.h"
#include "trace_capture.h"

namespace {

const TraceCapture& capture = TraceCapture::Instance();

// The probe inside a new network namespace (only a loopback that is down),
// as root or through a user namespace; no value where neither is permitted.
std::optional<int> CheckInEmptyNamespace() {
    for (const std::vector<std::string>& prefix :
         {std::vector<std::string>{"/usr/bin/unshare", "-n"},
          std::vector<std::string>{"/usr/bin/unshare", "-r", "-n"}}) {
        std::vector<std::string> argv = prefix;
        argv.push_back(NETWORK_PROBE_PATH);
        const test_support::ProcessResult result = test_support::RunProcess(argv);
        if (result.exitCode == 0) return std::stoi(result.output);
    }
    return std::nullopt;
}

TEST(CheckNetwork, NoConnectivityInANamespaceWithoutNetwork) {
    const std::optional<int> result = CheckInEmptyNamespace();
    if (!result) GTEST_SKIP() << "network namespaces are not permitted here (unshare -n failed)";
    EXPECT_EQ(*result >> 16, 1);
    EXPECT_EQ(*result & 0xFFFF, 0);
}

TEST(CheckNetwork, ConnectedOnThisMachine) {
    const size_t mark = capture.Mark();
    const int result = Utils::CheckNetwork();
    EXPECT_EQ(result >> 16, 0) << "flags " << (result & 0xFFFF);
    EXPECT_NE(result & 0x440, 0) << "an interface with a default route";
    EXPECT_EQ(capture.Since(mark), "");
}

}  // namespace
