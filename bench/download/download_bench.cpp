// One measured run of a download path, for bench/download/run:
//   download_bench stream URL FILE   the single libcurl stream (probes + transfer)
//   download_bench multi URL FILE    the multi-part downloader (probe, ranges, join, MD5)
//   download_bench single URL FILE   the single-stream downloader (stream + MD5)
//   download_bench md5 FILE          the file checksum
// Prints "seconds=<wall time> peak_kib=<peak resident memory>" on success.
#include <curl/curl.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <string>

#include "download/checksum.h"
#include "download/curl_client.h"
#include "download/downloader.h"

namespace {

long PeakResidentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
}

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// Runs one downloader to its final event; true on success.
bool RunDownloader(int type, const std::string& url, const std::string& file) {
    std::mutex mutex;
    std::condition_variable ended;
    int finalCode = 0;
    std::unique_ptr<CDownloader> downloader;
    downloader = CreateDownloader(
        type,
        [&](int32_t code, double, const wchar_t*) {
            if (code == DL_CODE_RETRY) return downloader->Start();
            if (code != DL_CODE_SUCCESS && code != DL_CODE_FAIL) return;
            std::lock_guard lock(mutex);
            finalCode = code;
            ended.notify_all();
        },
        Wide(url), Wide(file));
    downloader->Start();
    std::unique_lock lock(mutex);
    ended.wait(lock, [&] { return finalCode != 0; });
    return finalCode == DL_CODE_SUCCESS;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    const bool download = mode == "stream" || mode == "multi" || mode == "single";
    if (!(download && argc == 4) && !(mode == "md5" && argc == 3)) {
        std::fprintf(stderr, "usage: download_bench stream|single|multi URL FILE | md5 FILE\n");
        return 2;
    }
    curl_global_init(CURL_GLOBAL_ALL);
    const auto start = std::chrono::steady_clock::now();
    bool ok = false;
    if (mode == "stream") {
        CurlClient client(Wide(argv[2]), Wide(argv[3]), nullptr, nullptr);
        ok = client.Start() == 0;
    } else if (mode == "single") {
        ok = RunDownloader(1, argv[2], argv[3]);
    } else if (mode == "multi") {
        ok = RunDownloader(kDownloadTypeMultiPart, argv[2], argv[3]);
    } else {
        ok = FileChecksum(argv[2]).size() == kChecksumLength;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    curl_global_cleanup();
    if (!ok) {
        std::fprintf(stderr, "download_bench: %s failed\n", mode.c_str());
        return 1;
    }
    std::printf("seconds=%.4f peak_kib=%ld\n", seconds, PeakResidentKiB());
    return 0;
}
