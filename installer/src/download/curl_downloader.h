#pragma once

#include <string>

#include "download/curl_client.h"
#include "download/download_callback.h"
#include "download/download_thread_slot.h"
#include "download/downloader.h"

// The single libcurl stream: resumes through the staging file, retries
// within a budget (a cut-short transfer costs 1, any other failure 2, out of
// 12) and checks the file against the checksum in the resolved URL, asking
// once for a retry after a mismatch.
class CCurlDownloader : public CDownloader {
public:
    CCurlDownloader(DownloadCallback callback, std::wstring url, std::wstring savePath);
    ~CCurlDownloader() override;

    void Start() override;

    // Pause between two attempts; tests shorten it.
    void SetRetryPause(int milliseconds) { retryPauseMs = milliseconds; }

private:
    static uint32_t dlThreadFun(void* self);
    static void ForwardProgress(void* self, double rate, double reserved, double percent);
    void Run();
    void VerifyChecksum();
    // Events stop once destruction has begun: the owner is going away.
    void Report(int32_t code, double value, const wchar_t* text);

    DownloadCallback callback;
    std::wstring savePath;
    std::wstring url;
    CurlClient client;
    bool md5RetryUsed = false;
    int retryPauseMs = 500;
    DownloadThreadSlot thread;
};
