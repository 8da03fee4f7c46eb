// Figures of the analytics record layer: building and queueing one task
// record as the installer's tracker makes it, and encoding a batch of 30 such
// records into a request body. Prints one line per figure.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "sdk/http_sender.h"
#include "sdk/json_writer.h"
#include "sdk/sdk.h"

namespace {

using analytics_sdk::PropertiesNode;
using analytics_sdk::Sdk;
using Clock = std::chrono::steady_clock;

// The preset properties a tracker registers at start.
PropertiesNode PresetProperties() {
    PropertiesNode node;
    for (const auto& [key, value] :
         std::vector<std::pair<std::string, std::string>>{{"$app_id", "Brushwell.downloader"},
                                                          {"$app_version", "1.7.9"},
                                                          {"$os", "Linux"},
                                                          {"$os_version", "6.1.0-13-amd64"},
                                                          {"zr_app_id", "Brushwell.downloader"},
                                                          {"zr_app_platform", "Linux"},
                                                          {"zr_app_store", "installer"},
                                                          {"zr_dlapp_id", "Brushwell"},
                                                          {"zr_edition", "china"},
                                                          {"zr_l10n_country", "CN"},
                                                          {"zr_l10n_language", "zh"},
                                                          {"zr_l10n_locale", "zh_CN"},
                                                          {"zr_sdk", "WindowsCPP"},
                                                          {"zr_sdk_version", "3.3.8"},
                                                          {"zr_track_type", "Client"}}) {
        node.SetString(key, value);
    }
    node.SetNumber("$screen_height", int64_t{1080});
    node.SetNumber("$screen_width", int64_t{1920});
    return node;
}

PropertiesNode TaskProperties() {
    PropertiesNode node;
    node.SetString("zr_task_name", "开始下载大包");
    node.SetNumber("zr_task_elapsed", 0.0);
    node.SetString("zr_task_result", "Success");
    node.SetBool("$is_first_time", true);
    node.SetString("zrc_ab", "IN");
    return node;
}

double NanosecondsPer(Clock::duration elapsed, int count) {
    return std::chrono::duration<double, std::nano>(elapsed).count() / count;
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tracker-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    if (!Sdk::Init((folder / "staging").string(), "http://127.0.0.1:9/sa", "bench-device", false)) {
        return 1;
    }
    Sdk::RegisterSuperProperties(PresetProperties());

    // The best of several rounds: the machine is shared, the slow rounds say little.
    constexpr int kRounds = 5;
    constexpr int kRecords = 5000;
    Clock::duration buildElapsed = Clock::duration::max();
    for (int round = 0; round < kRounds; ++round) {
        const auto start = Clock::now();
        for (int i = 0; i < kRecords; ++i) Sdk::Track("ZrEventTask", TaskProperties());
        buildElapsed = std::min(buildElapsed, Clock::now() - start);
    }

    std::vector<std::string> queued = Sdk::Instance()->consumer().QueuedRecords();
    queued.resize(30);
    const std::string batch = analytics_sdk::BatchText(queued);
    constexpr int kBatches = 100;
    size_t bodySize = 0;
    Clock::duration encodeElapsed = Clock::duration::max();
    for (int round = 0; round < kRounds; ++round) {
        const auto start = Clock::now();
        for (int i = 0; i < kBatches; ++i) {
            bodySize = analytics_sdk::HttpSender::EncodeBody(batch)->size();
        }
        encodeElapsed = std::min(encodeElapsed, Clock::now() - start);
    }

    std::printf("task record build+queue: %.0f ns per record (%zu bytes)\n",
                NanosecondsPer(buildElapsed, kRecords), queued.front().size());
    std::printf("30-record batch encode: %.1f us per batch (%zu bytes -> %zu bytes body)\n",
                NanosecondsPer(encodeElapsed, kBatches) / 1000, batch.size(), bodySize);
    if (argc == 3 && std::strcmp(argv[1], "--write-batch") == 0) {
        std::ofstream(argv[2], std::ios::binary) << batch;
    }
    Sdk::Shutdown();
    std::filesystem::remove_all(folder);
    return 0;
}
