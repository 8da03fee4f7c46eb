#pragma once

#include <curl/curl.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/thread.h"
#include "download/curl_share.h"
#include "download/download_callback.h"
#include "download/download_thread_slot.h"
#include "download/downloader.h"
#include "download/part_joiner.h"

// One byte range of the package, fetched into its own part file.
struct DownloadPartNode {
    FILE* file = nullptr;    // the part file, open for appending
    int64_t position = 0;    // next byte of the package to fetch
    int64_t lastByte = 0;    // last byte of the range, inclusive
    CURL* handle = nullptr;  // reused for every attempt of the range
    std::string url;         // the resolved URL
    std::string partPath;    // the part file's name
    int state = -1;          // 0 done, -1 to fetch, -2 no part file, else libcurl's code
    std::atomic<int64_t> downloaded = 0;  // bytes of the range on disk
};

// The package fetched as up to two byte ranges in parallel (one below
// 20 MiB), each into P + "_<index>", resumed from what the part files hold,
// then joined and checked against the checksum in the resolved URL. One
// whole-download retry (1005) is asked for after a failed part or a checksum
// mismatch.
class CMTCurlDownloader : public CDownloader {
public:
    static constexpr int kPartFileUnusable = -2;
    static constexpr int64_t kMinimumLength = 256;
    static constexpr int64_t kPartUnit = 10485760;
    static constexpr int kMaxParts = 2;

    struct PartRange {
        int64_t start;
        int64_t size;
        bool operator==(const PartRange&) const = default;
    };
    // Up to two ranges: one below 20 MiB, else two halves, the last taking
    // the odd byte.
    static std::vector<PartRange> SplitIntoParts(int64_t length);

    CMTCurlDownloader(DownloadCallback callback, std::wstring url, std::wstring savePath);
    // Aborts running transfers and waits for every thread of the downloader.
    ~CMTCurlDownloader() override;

    void Start() override;

    // A part whose transfer moves fewer than `bytesPerSecond` for `seconds`
    // is retried (1 byte per second for 5 seconds by default).
    void SetLowSpeedLimit(long bytesPerSecond, long seconds) {
        lowSpeedLimit = bytesPerSecond;
        lowSpeedTime = seconds;
    }
    // Pause between two attempts of one part; tests shorten it.
    void SetRetryPause(int milliseconds) { retryPauseMs = milliseconds; }

private:
    static uint32_t Start_Down(void* self);
    void Prepare();
    bool getRealDownloadUrl(const std::string& u);
    void CreateNodes(const std::string& packageName);
    static int downloadExe(CMTCurlDownloader* self, DownloadPartNode* node);
    void downloadThreadFun(DownloadPartNode* node);
    static uint32_t waitForFinishThreadFun(void* self);
    void Finish();
    void WaitForParts(PartJoiner& joiner);
    int JoinParts(PartJoiner& joiner, const std::string& packageName);
    void ReportFailure(int firstError);
    static size_t WritePart(char* data, size_t size, size_t count, void* node);
    static int ProgressFunction(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t);
    void ReleaseNodes();
    void DeletePartFiles(const std::string& packageName) const;
    void JoinWorkers();
    void Report(int32_t code, double value, const wchar_t* text);

    CurlShare share;  // outlives every handle of the nodes
    std::vector<std::unique_ptr<DownloadPartNode>> nodes;
    DownloadCallback callback;
    std::wstring savePath;
    std::wstring url;
    std::string realUrl;
    int64_t length = -1;
    std::string md5;
    std::atomic<double> lastPercent = 0.0;
    std::mutex progressMutex;  // one progress evaluation at a time across parts
    int64_t lastProgressTime = 0;
    bool retryUsed = false;
    long lowSpeedLimit = 1;
    long lowSpeedTime = 5;
    int retryPauseMs = 400;

    DownloadThreadSlot thread;  // runs Start_Down
    std::vector<std::unique_ptr<Utils::Thread>> partThreads;
    std::mutex partsMutex;
    std::condition_variable partEnded;
    int runningParts = 0;  // guarded by partsMutex
    std::unique_ptr<Utils::Thread> finishThread;
};
