#include "platform/url_download.h"

#include <curl/curl.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/text.h"

namespace platform {

namespace {

constexpr long kConnectTimeoutSeconds = 60;
// Like the system service's receive timeout: a server that sends nothing for
// a minute ends the download.
constexpr long kStalledSeconds = 60;
constexpr auto kProgressInterval = std::chrono::milliseconds(100);

class Download final : public Binding {
public:
    Download(std::wstring url, BindStatusCallback* callback)
        : url(std::move(url)), callback(callback) {}

    HRESULT Abort() override {
        aborted = true;
        return kS_OK;
    }

    // Reports one step; false when the download is to stop.
    bool Progress(uint64_t now, uint64_t total, uint32_t status) {
        if (aborted) return false;
        if (!callback) return true;
        if (callback->OnProgress(static_cast<uint32_t>(now), static_cast<uint32_t>(total), status,
                                 url.c_str()) == kE_ABORT) {
            aborted = true;
        }
        return !aborted;
    }

    static int OnTransferInfo(void* self, curl_off_t dltotal, curl_off_t dlnow, curl_off_t,
                              curl_off_t) {
        auto* download = static_cast<Download*>(self);
        const auto now = std::chrono::steady_clock::now();
        if (dlnow > 0 && !download->begun) {
            download->begun = true;
            if (!download->Progress(0, dltotal, BINDSTATUS_BEGINDOWNLOADDATA)) return 1;
        }
        if (download->aborted) return 1;
        if (dlnow == download->lastReported || now - download->lastReport < kProgressInterval) {
            return 0;
        }
        download->lastReport = now;
        download->lastReported = dlnow;
        return download->Progress(dlnow, dltotal, BINDSTATUS_DOWNLOADINGDATA) ? 0 : 1;
    }

    bool Aborted() const { return aborted; }

private:
    std::wstring url;
    BindStatusCallback* callback;
    std::atomic<bool> aborted = false;
    bool begun = false;
    curl_off_t lastReported = 0;
    std::chrono::steady_clock::time_point lastReport;
};

size_t WriteToFile(char* data, size_t size, size_t count, void* file) {
    return std::fwrite(data, size, count, static_cast<FILE*>(file)) * size;
}

HRESULT ResultOf(CURLcode code, bool aborted) {
    if (code == CURLE_OK) return kS_OK;
    if (aborted || code == CURLE_ABORTED_BY_CALLBACK) return kE_ABORT;
    if (code == CURLE_HTTP_RETURNED_ERROR || code == CURLE_FILE_COULDNT_READ_FILE ||
        code == CURLE_REMOTE_FILE_NOT_FOUND) {
        return kINET_E_RESOURCE_NOT_FOUND;
    }
    return kINET_E_DOWNLOAD_FAILURE;
}

CURLcode Transfer(CURL* handle, const std::string& url, FILE* file, Download& download) {
    CURLcode code = CURLE_OK;
    auto set = [&](CURLoption option, auto value) {
        if (code == CURLE_OK) code = curl_easy_setopt(handle, option, value);
    };
    set(CURLOPT_URL, url.c_str());
    set(CURLOPT_FOLLOWLOCATION, 1L);
    set(CURLOPT_FAILONERROR, 1L);
    set(CURLOPT_NOSIGNAL, 1L);
    set(CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    set(CURLOPT_LOW_SPEED_LIMIT, 1L);
    set(CURLOPT_LOW_SPEED_TIME, kStalledSeconds);
    set(CURLOPT_WRITEFUNCTION, &WriteToFile);
    set(CURLOPT_WRITEDATA, file);
    set(CURLOPT_NOPROGRESS, 0L);
    set(CURLOPT_XFERINFOFUNCTION, &Download::OnTransferInfo);
    set(CURLOPT_XFERINFODATA, &download);
    return code == CURLE_OK ? curl_easy_perform(handle) : code;
}

}  // namespace

HRESULT URLDownloadToFile(void*, const wchar_t* url, const wchar_t* fileName, uint32_t,
                          BindStatusCallback* callback) {
    if (!url || !fileName || !*url || !*fileName) return kINET_E_DOWNLOAD_FAILURE;
    Download download(url, callback);
    if (callback) {
        callback->OnStartBinding(0, &download);
        uint32_t bindFlags = 0;
        BindInfo info;
        callback->GetBindInfo(&bindFlags, &info);
    }
    if (!download.Progress(0, 0, BINDSTATUS_FINDINGRESOURCE)) {
        if (callback) callback->OnStopBinding(kE_ABORT, nullptr);
        return kE_ABORT;
    }

    const std::string target = WideToMultiByte(fileName, kCodePageAnsi);
    const std::string temporary = target + ".dltmp";
    HRESULT result = kINET_E_DOWNLOAD_FAILURE;
    CURL* handle = curl_easy_init();
    FILE* file = handle ? std::fopen(temporary.c_str(), "wb") : nullptr;
    if (file) {
        const CURLcode code = Transfer(handle, WideToMultiByte(url, kCodePageUtf8), file, download);
        const bool flushed = std::fclose(file) == 0;
        result = ResultOf(code, download.Aborted());
        if (result == kS_OK && !flushed) result = kINET_E_DOWNLOAD_FAILURE;
        if (result == kS_OK) {
            curl_off_t total = 0;
            curl_easy_getinfo(handle, CURLINFO_SIZE_DOWNLOAD_T, &total);
            download.Progress(static_cast<uint64_t>(total), static_cast<uint64_t>(total),
                              BINDSTATUS_ENDDOWNLOADDATA);
            std::error_code renameError;
            std::filesystem::rename(temporary, target, renameError);
            if (renameError) result = kINET_E_DOWNLOAD_FAILURE;
        }
    }
    if (handle) curl_easy_cleanup(handle);
    if (result != kS_OK) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
    }
    if (callback) callback->OnStopBinding(result, nullptr);
    return result;
}

}  // namespace platform
