#pragma once

#include <atomic>
#include <string>

#include "app/thread.h"
#include "download/download_callback.h"
#include "download/downloader.h"
#include "platform/url_download.h"

// The system's URL download service: up to three attempts, progress from the
// bind-status callback, no resume, no checksum. Its thread runs once.
class CWinDownloader : public CDownloader {
public:
    // The bind-status callback; owned by the downloader, so no reference
    // counting.
    class CBindCallback final : public platform::BindStatusCallback {
    public:
        ~CBindCallback();
        platform::HRESULT OnStartBinding(uint32_t reserved, platform::Binding* binding) override;
        platform::HRESULT GetPriority(int32_t* priority) override;
        platform::HRESULT OnLowResource(uint32_t reserved) override;
        platform::HRESULT OnProgress(uint32_t progress, uint32_t progressMax, uint32_t statusCode,
                                     const wchar_t* statusText) override;
        platform::HRESULT OnStopBinding(platform::HRESULT result, const wchar_t* error) override;
        platform::HRESULT GetBindInfo(uint32_t* bindFlags, platform::BindInfo* info) override;

        void SetCallback(DownloadCallback newCallback) { callback = std::move(newCallback); }
        void RequestAbort() { abortRequested = true; }
        bool AbortRequested() const { return abortRequested; }

    private:
        DownloadCallback callback;
        std::atomic<bool> abortRequested = false;
        platform::Binding* binding = nullptr;
    };

    CWinDownloader(DownloadCallback callback, std::wstring url, std::wstring savePath);
    // Aborts a running download at its next progress step and waits for the
    // thread; a never-started thread is released without running.
    ~CWinDownloader() override;

    void Start() override;

    // Pause after a failed attempt; tests shorten it.
    void SetRetryPause(int milliseconds) { retryPauseMs = milliseconds; }

private:
    static uint32_t ThreadFunction(void* self);
    void Run();
    void Pause() const;

    CBindCallback bindCallback;
    DownloadCallback callback;
    std::wstring savePath;
    std::wstring url;
    int retryPauseMs = 1000;
    std::atomic<bool> started = false;
    Utils::Thread thread;  // last: created once everything it reads exists
};
