#include "download/curl_client.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/debug_log.h"
#include "download/curl_options.h"
#include "download/failure_report.h"
#include "utils/text_conversion.h"

namespace {

constexpr const char* kFileUrlPrefix = "file:///";
constexpr size_t kMaxErrorTextLength = 200;

bool IsFileUrl(const std::wstring& url) { return url.rfind(L"file:///", 0) == 0; }

std::wstring CurlErrorText(int code) {
    return ToWide(curl_easy_strerror(static_cast<CURLcode>(code)), kCodePageAnsi);
}

int64_t NowSeconds() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

int64_t FileSize(const std::string& name) {
    std::error_code error;
    const auto size = std::filesystem::file_size(name, error);
    return error ? -1 : static_cast<int64_t>(size);
}

bool StatusUsable(long status) { return status >= 200 && status <= 399; }

}  // namespace

CurlClient::CurlClient(std::wstring url, std::wstring savePath, void* owner, ProgressFn progressFn)
    : url(std::move(url)), savePath(std::move(savePath)), owner(owner), progressFn(progressFn) {}

CurlClient::~CurlClient() {
    stopRequested = true;
    std::error_code ignored;
    std::filesystem::remove(ToNarrow(savePath + L".part", kCodePageAnsi), ignored);
}

int CurlClient::Start() {
    DebugLog(L"start download\r\n");
    const std::string stagingName = ToNarrow(savePath + L".part", kCodePageAnsi);
    const std::string targetName = ToNarrow(savePath, kCodePageAnsi);
    const std::string requestUrl =
        IsFileUrl(url) ? ToNarrow(url, kCodePageAnsi) : ToNarrow(url, kCodePageUtf8);

    checksum.clear();
    LearnUrlAndLength(requestUrl);
    const int result = totalLength < kMinimumLength ? kLengthUnusable : Transfer(stagingName);
    DebugLog(L"error:%d:%ls\r\n", result, CurlErrorText(result).c_str());

    if (result == 0) {
        std::error_code ignored;
        std::filesystem::remove(targetName, ignored);
        std::filesystem::rename(stagingName, targetName, ignored);
        if (stagingHash && hashedBytes == FileSize(targetName)) checksum = stagingHash->Finish();
        stagingHash.reset();
    }
    DebugLog(L"end download\r\n");
    return result;
}

void CurlClient::LearnUrlAndLength(const std::string& requestUrl) {
    if (!realUrl.empty() && totalLength >= kMinimumLength) return;
    if (CURL* probe = Head(requestUrl)) {
        realUrl = GetRealUrl(probe);
        totalLength = GetDownloadFileLength(probe);
        curl_easy_cleanup(probe);
    }
    if (!realUrl.empty() && totalLength >= kMinimumLength) return;
    realUrl = GetRealUrl_Str(requestUrl);
    if (!realUrl.empty()) totalLength = GetDownloadFileLength_Str(realUrl);
}

int CurlClient::Transfer(const std::string& stagingName) {
    handle = curl_easy_init();
    if (!handle) return kNoEasyHandle;

    // More than the package holds cannot be a prefix of it: start over.
    std::error_code ignored;
    if (FileSize(stagingName) > static_cast<int64_t>(totalLength)) {
        std::filesystem::remove(stagingName, ignored);
    }
    FILE* staging = std::fopen(stagingName.c_str(), "ab+");
    stagingFile = staging;
    if (!staging) {
        const std::string text = std::error_code(errno, std::generic_category()).message();
        openErrorText = ToWide(text.substr(0, kMaxErrorTextLength), kCodePageAnsi);
        curl_easy_cleanup(handle);
        handle = nullptr;
        return kStagingOpenFailed;
    }

    curl_slist* headers = curl_slist_append(nullptr, "Connection: keep-alive");
    headers = curl_slist_append(headers, "Accept-Encoding: gzip, deflate");
    int result = 0;
    using curl_options::Set;
    Set(handle, CURLOPT_HTTPHEADER, headers, result);
    Set(handle, CURLOPT_TCP_KEEPALIVE, 1L, result);
    Set(handle, CURLOPT_TCP_KEEPIDLE, 10L, result);
    Set(handle, CURLOPT_TCP_KEEPINTVL, 10L, result);
    Set(handle, CURLOPT_TIMEOUT, 0L, result);
    Set(handle, CURLOPT_URL, realUrl.c_str(), result);
    Set(handle, CURLOPT_FOLLOWLOCATION, 1L, result);
    curl_options::SetTransferOptions(handle, &CurlClient::WriteStaging, this,
                                     &CurlClient::ProgressCallback, this, result);

    resumeOffset = FileSize(stagingName);
    if (hashing) PrepareStagingHash(stagingName);
    // A staging file that already holds the whole package needs no request;
    // the server would refuse a range that starts at its end.
    const bool complete = resumeOffset == static_cast<int64_t>(totalLength);
    if (resumeOffset > 0 && !complete) {
        Set(handle, CURLOPT_RESUME_FROM_LARGE, static_cast<curl_off_t>(resumeOffset), result);
    }
    if (result == 0 && !complete) result = curl_easy_perform(handle);

    curl_easy_cleanup(handle);
    handle = nullptr;
    curl_slist_free_all(headers);
    std::fclose(staging);
    stagingFile = nullptr;
    return result;
}

// The hash goes on from the last attempt when the staging file still ends
// where it stopped, and starts over from the file's bytes otherwise.
void CurlClient::PrepareStagingHash(const std::string& stagingName) {
    if (stagingHash && hashedBytes == resumeOffset) return;
    stagingHash = std::make_unique<Md5Stream>();
    hashedBytes = 0;
    if (resumeOffset <= 0) return;
    if (stagingHash->UpdateFromFile(stagingName)) {
        hashedBytes = resumeOffset;
    } else {
        stagingHash.reset();
    }
}

size_t CurlClient::WriteStaging(char* data, size_t size, size_t count, void* self) {
    auto* client = static_cast<CurlClient*>(self);
    const size_t written = std::fwrite(data, size, count, client->stagingFile) * size;
    if (client->stagingHash) {
        client->stagingHash->Update(data, written);
        client->hashedBytes += static_cast<int64_t>(written);
    }
    return written;
}

int CurlClient::ProgressCallback(void* self, curl_off_t dltotal, curl_off_t dlnow, curl_off_t,
                                 curl_off_t) {
    auto* client = static_cast<CurlClient*>(self);
    if (client->stopRequested) return 1;
    const int64_t now = NowSeconds();
    if (now < client->lastProgressTime + 1) return 0;
    client->lastProgressTime = now;

    curl_off_t speed = 0;
    const double rate =
        curl_easy_getinfo(client->handle, CURLINFO_SPEED_DOWNLOAD_T, &speed) == CURLE_OK
            ? static_cast<double>(speed)
            : 0.0;

    double percent = 0.0;
    if (client->totalLength > kMinimumLength) {
        const double onDisk =
            client->resumeOffset > 0 ? static_cast<double>(client->resumeOffset) : 0.0;
        percent = (static_cast<double>(dlnow) + onDisk) / client->totalLength * 100.0;
    } else {
        if (dlnow <= 0 || dltotal <= 0) return 0;
        percent = static_cast<double>(dlnow) * 100.0 / static_cast<double>(dltotal);
    }
    if (percent == 0.0) return 0;
    if (client->progressFn) client->progressFn(client->owner, rate, 0.0, percent);

    if (dltotal != 0) {
        DebugLog(L" %dM %dM   progress:%f%%  speed:%f \n", static_cast<int>(dlnow / 1048576),
                 static_cast<int>(dltotal / 1048576),
                 static_cast<double>(static_cast<float>(percent)),
                 static_cast<double>(static_cast<float>(rate * 0.0009765625)));
    }
    return 0;
}

CURL* CurlClient::Head(const std::string& url) {
    CURL* probe = curl_easy_init();
    if (!probe) return nullptr;
    int result = 0;
    using curl_options::Set;
    curl_options::SetProbeOptions(probe, url, result);
    Set(probe, CURLOPT_FOLLOWLOCATION, 1L, result);
    if (result == 0) {
        result = curl_easy_perform(probe);
        if (result != 0) DebugLog(L"error:%d:%ls\r\n", result, CurlErrorText(result).c_str());
    }
    DebugLog(L"error:%d:%ls\r\n", result, CurlErrorText(result).c_str());
    return probe;
}

std::string CurlClient::GetRealUrl(CURL* handle) {
    char* effective = nullptr;
    if (curl_easy_getinfo(handle, CURLINFO_EFFECTIVE_URL, &effective) != CURLE_OK || !effective) {
        return {};
    }
    return effective;
}

double CurlClient::GetDownloadFileLength(CURL* handle) {
    curl_off_t length = -1;
    const CURLcode lengthCode =
        curl_easy_getinfo(handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    DebugLog(L"%d\r\n", static_cast<int>(lengthCode));
    long status = 0;
    const CURLcode statusCode = curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    if (lengthCode == CURLE_OK && statusCode == CURLE_OK && StatusUsable(status)) {
        return static_cast<double>(length);
    }
    ReportLengthProbeFailure(statusCode == CURLE_OK ? status : 0);
    return -1.0;
}

std::string CurlClient::GetRealUrl_Str(const std::string& url) {
    std::string result;
    CURL* probe = curl_easy_init();
    if (probe) {
        int code = 0;
        using curl_options::Set;
        curl_options::SetProbeOptions(probe, url, code);
        Set(probe, CURLOPT_FOLLOWLOCATION, 1L, code);
        if (code == 0) code = curl_easy_perform(probe);
        if (code != 0) {
            DebugLog(L"error:%d:%ls\r\n", code, CurlErrorText(code).c_str());
        } else {
            result = GetRealUrl(probe);
        }
        curl_easy_cleanup(probe);
    }
    return result.empty() ? url : result;
}

double CurlClient::GetDownloadFileLength_Str(const std::string& url) {
    CURL* probe = curl_easy_init();
    if (!probe) return -1.0;
    int code = 0;
    using curl_options::Set;
    curl_options::SetProbeOptions(probe, url, code);
    Set(probe, CURLOPT_HEADER, 1L, code);
    curl_off_t length = -1;
    if (code == 0) {
        curl_easy_perform(probe);
        code = curl_easy_getinfo(probe, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
        long status = 0;
        const CURLcode statusCode = curl_easy_getinfo(probe, CURLINFO_RESPONSE_CODE, &status);
        code = statusCode;
        if (statusCode != CURLE_OK || !StatusUsable(status)) {
            ReportLengthProbeFailure(statusCode == CURLE_OK ? status : 0);
        }
    }
    DebugLog(L"%d\r\n", code);
    curl_easy_cleanup(probe);
    return static_cast<double>(length);
}
