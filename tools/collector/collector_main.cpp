// Runs the test collector on 127.0.0.1 and prints every delivered record, one
// per line, so that a maker can point the installer at it and watch.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "test_collector.h"

int main(int argc, char** argv) {
    int port = 0;
    if (argc == 2) port = std::atoi(argv[1]);
    if (argc > 2 || port < 0 || port > 65535) {
        std::fprintf(stderr, "usage: collector [port]\n");
        return 2;
    }
    collector::TestCollector server(port);
    if (!server.running()) {
        std::fprintf(stderr, "collector: cannot listen on 127.0.0.1:%d\n", port);
        return 1;
    }
    std::printf("AnalyticsUrl=%s\n", server.endpoint().c_str());
    std::fflush(stdout);
    size_t printed = 0;
    while (true) {
        server.WaitForDeliveredRecords(printed + 1, std::chrono::hours(1));
        const auto records = server.deliveredRecords();
        for (; printed < records.size(); ++printed) std::printf("%s\n", records[printed].c_str());
        std::fflush(stdout);
    }
}
