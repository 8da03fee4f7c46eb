#include "download/win_downloader.h"

#include <chrono>
#include <thread>

#include "download/url_encoding.h"
#include "utils/text_conversion.h"

using platform::HRESULT;

CWinDownloader::CBindCallback::~CBindCallback() {
    abortRequested = true;
    callback = nullptr;
}

HRESULT CWinDownloader::CBindCallback::OnStartBinding(uint32_t, platform::Binding* newBinding) {
    binding = newBinding;
    return platform::kE_NOTIMPL;
}

HRESULT CWinDownloader::CBindCallback::GetPriority(int32_t*) { return platform::kE_NOTIMPL; }

HRESULT CWinDownloader::CBindCallback::OnLowResource(uint32_t) { return platform::kE_NOTIMPL; }

HRESULT CWinDownloader::CBindCallback::OnProgress(uint32_t progress, uint32_t progressMax, uint32_t,
                                                  const wchar_t*) {
    if (abortRequested) return platform::kE_ABORT;
    if (progressMax == 0) return platform::kS_OK;
    if (callback) {
        callback(DL_CODE_PROGRESS, static_cast<double>(progress) / static_cast<double>(progressMax),
                 L"");
    }
    return platform::kS_OK;
}

HRESULT CWinDownloader::CBindCallback::OnStopBinding(HRESULT, const wchar_t*) {
    return platform::kE_NOTIMPL;
}

HRESULT CWinDownloader::CBindCallback::GetBindInfo(uint32_t*, platform::BindInfo* info) {
    if (info) info->codePage = kCodePageUtf8;
    return platform::kE_NOTIMPL;
}

CWinDownloader::CWinDownloader(DownloadCallback callback, std::wstring url, std::wstring savePath)
    : callback(std::move(callback)),
      savePath(std::move(savePath)),
      url(std::move(url)),
      thread(&CWinDownloader::ThreadFunction, this, L"ABDEF") {}

CWinDownloader::~CWinDownloader() {
    // Before the thread member is joined, so that a running download ends.
    bindCallback.RequestAbort();
}

void CWinDownloader::Start() {
    // The thread runs once. Its callback copy is made before it starts and
    // never changed while it may read it.
    if (started.exchange(true)) return;
    bindCallback.SetCallback(callback);
    thread.Resume();
}

uint32_t CWinDownloader::ThreadFunction(void* self) {
    static_cast<CWinDownloader*>(self)->Run();
    return 0;
}

void CWinDownloader::Run() {
    if (callback) callback(DL_CODE_START, 1.0, L"");
    if (savePath.empty()) {
        if (callback) callback(DL_CODE_FAIL, 1.0, L"");
        return;
    }
    const std::wstring requestUrl =
        url.rfind(L"file:///", 0) == 0
            ? url
            : ToWide(EncodeRequestUrl(ToNarrow(url, kCodePageUtf8)), kCodePageUtf8);

    HRESULT result = platform::kINET_E_DOWNLOAD_FAILURE;
    constexpr int kAttempts = 3;
    for (int attempt = 0; attempt < kAttempts && !bindCallback.AbortRequested(); ++attempt) {
        result = platform::URLDownloadToFile(nullptr, requestUrl.c_str(), savePath.c_str(), 0,
                                             &bindCallback);
        if (result == platform::kS_OK) {
            if (callback) callback(DL_CODE_SUCCESS, 0.0, L"URLDownloadToFile");
            return;
        }
        Pause();
    }
    if (bindCallback.AbortRequested()) return;  // the downloader is going away
    if (callback) callback(DL_CODE_FAIL, static_cast<double>(result), L"URLDownloadToFile");
}

void CWinDownloader::Pause() const {
    constexpr int kStep = 20;
    for (int waited = 0; waited < retryPauseMs && !bindCallback.AbortRequested(); waited += kStep) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kStep));
    }
}
