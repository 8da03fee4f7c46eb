#include "download/mt_curl_downloader.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <system_error>

#include "app/debug_log.h"
#include "app/install_settings.h"
#include "download/checksum.h"
#include "download/curl_options.h"
#include "download/retry_budget.h"
#include "utils/text_conversion.h"

namespace {

std::wstring CurlErrorText(int code) {
    return ToWide(curl_easy_strerror(static_cast<CURLcode>(code)), kCodePageAnsi);
}

int64_t FileSizeOrZero(const std::string& name) {
    std::error_code error;
    const auto size = std::filesystem::file_size(name, error);
    return error ? 0 : static_cast<int64_t>(size);
}

void RemoveFile(const std::string& name) {
    std::error_code ignored;
    std::filesystem::remove(name, ignored);
}

std::string PartPath(const std::string& packageName, int index) {
    return packageName + "_" + std::to_string(index);
}

}  // namespace

CMTCurlDownloader::CMTCurlDownloader(DownloadCallback callback, std::wstring url,
                                     std::wstring savePath)
    : callback(std::move(callback)), savePath(std::move(savePath)), url(std::move(url)) {
    const std::string packageName = ToNarrow(this->savePath, kCodePageAnsi);
    RemoveFile(packageName);
    DeletePartFiles(packageName);
}

CMTCurlDownloader::~CMTCurlDownloader() {
    thread.Stop();  // from here on transfers abort and no event is reported
    JoinWorkers();
    ReleaseNodes();
}

void CMTCurlDownloader::Start() { thread.Launch(&CMTCurlDownloader::Start_Down, this); }

uint32_t CMTCurlDownloader::Start_Down(void* self) {
    static_cast<CMTCurlDownloader*>(self)->Prepare();
    return 0;
}

void CMTCurlDownloader::Report(int32_t code, double value, const wchar_t* text) {
    if (!thread.Stopped() && callback) callback(code, value, text);
}

void CMTCurlDownloader::JoinWorkers() {
    finishThread.reset();
    partThreads.clear();
}

void CMTCurlDownloader::Prepare() {
    JoinWorkers();  // the previous run's threads have ended or are ending
    Report(DL_CODE_START, 1.0, L"");
    DebugLog(L"start download\r\n");
    if (savePath.empty()) {
        Report(DL_CODE_FAIL, 1.0, L"");
        return;
    }
    const std::string packageName = ToNarrow(savePath, kCodePageAnsi);
    const std::string requestUrl = url.rfind(L"file:///", 0) == 0 ? ToNarrow(url, kCodePageAnsi)
                                                                  : ToNarrow(url, kCodePageUtf8);
    RemoveFile(packageName);
    if (lastPercent == 0.0) DeletePartFiles(packageName);

    const bool known = !realUrl.empty() && length >= kMinimumLength;
    if (!known && !getRealDownloadUrl(requestUrl)) {
        Report(DL_CODE_FAIL, 0.0, L"LibCurl");
        return;
    }
    CreateNodes(packageName);

    bool first = true;
    for (auto& node : nodes) {
        if (node->state != -1 || thread.Stopped()) continue;
        if (!first) thread.Pause(100);  // the parts' requests go out 100 ms apart
        first = false;
        DownloadPartNode* part = node.get();
        {
            std::lock_guard lock(partsMutex);
            ++runningParts;
        }
        partThreads.push_back(std::make_unique<Utils::Thread>(
            [this, part](void*) {
                downloadThreadFun(part);
                std::lock_guard lock(partsMutex);
                --runningParts;
                partEnded.notify_all();
                return 0u;
            },
            nullptr, L"ABDEF"));
        partThreads.back()->Resume();
    }
    if (thread.Stopped()) return;
    finishThread =
        std::make_unique<Utils::Thread>(&CMTCurlDownloader::waitForFinishThreadFun, this, L"ABDEF");
    finishThread->Resume();
}

bool CMTCurlDownloader::getRealDownloadUrl(const std::string& u) {
    realUrl.clear();
    md5.clear();
    length = 0;
    if (!InstallSettings::Instance().HttpLibraryReady) return false;
    CURL* probe = curl_easy_init();
    if (!probe) return false;

    curl_slist* headers = curl_slist_append(nullptr, "Connection: keep-alive");
    int result = 0;
    using curl_options::Set;
    Set(probe, CURLOPT_HTTPHEADER, headers, result);
    if (share.get()) Set(probe, CURLOPT_SHARE, share.get(), result);
    curl_options::SetProbeOptions(probe, u, result);
    Set(probe, CURLOPT_FOLLOWLOCATION, 1L, result);
    if (result == 0) result = curl_easy_perform(probe);
    if (result == 0) {
        char* effective = nullptr;
        if (curl_easy_getinfo(probe, CURLINFO_EFFECTIVE_URL, &effective) == CURLE_OK && effective &&
            *effective) {
            realUrl = effective;
            DebugLog(L"Download File real url %hs\r\n", realUrl.c_str());
            md5 = UrlChecksum(realUrl);
        }
        curl_off_t contentLength = -1;
        long status = 0;
        if (curl_easy_getinfo(probe, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &contentLength) ==
                CURLE_OK &&
            curl_easy_getinfo(probe, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK &&
            status >= 200 && status <= 399) {
            length = contentLength;
            DebugLog(L"Download File Length %lld\r\n", static_cast<long long>(length));
        }
    }
    curl_easy_cleanup(probe);
    curl_slist_free_all(headers);
    return result == 0 && !realUrl.empty() && length >= kMinimumLength;
}

std::vector<CMTCurlDownloader::PartRange> CMTCurlDownloader::SplitIntoParts(int64_t length) {
    const int64_t count = std::clamp<int64_t>(length / kPartUnit, 1, kMaxParts);
    const int64_t partSize = length / count;
    std::vector<PartRange> parts;
    for (int64_t i = 0; i < count; ++i) {
        parts.push_back({i * partSize, partSize + (i == count - 1 ? length % count : 0)});
    }
    return parts;
}

void CMTCurlDownloader::CreateNodes(const std::string& packageName) {
    const std::vector<PartRange> parts = SplitIntoParts(length);
    for (size_t i = 0; i < parts.size(); ++i) {
        const int64_t start = parts[i].start;
        const int64_t size = parts[i].size;
        auto node = std::make_unique<DownloadPartNode>();
        node->partPath = PartPath(packageName, static_cast<int>(i));
        int64_t found = FileSizeOrZero(node->partPath);
        if (found > size) {
            // Longer than its range: not a prefix of it, so fetch it again.
            RemoveFile(node->partPath);
            found = 0;
        }
        node->downloaded = found;
        node->position = start + found;
        node->lastByte = start + size - 1;
        node->handle = curl_easy_init();
        node->url = realUrl;
        if (node->position > node->lastByte) {
            node->state = 0;
        } else {
            node->state = -1;
            node->file = std::fopen(node->partPath.c_str(), "ab");
            if (!node->file) node->state = kPartFileUnusable;
        }
        nodes.push_back(std::move(node));
    }
}

int CMTCurlDownloader::downloadExe(CMTCurlDownloader* self, DownloadPartNode* node) {
    if (node->position > node->lastByte) {
        // Everything arrived although the last attempt reported an error.
        if (node->file) std::fclose(node->file);
        node->file = nullptr;
        return node->state = 0;
    }
    const std::string range = std::to_string(node->position) + "-" + std::to_string(node->lastByte);
    int result = 0;
    using curl_options::Set;
    CURL* handle = node->handle;
    Set(handle, CURLOPT_NOSIGNAL, 1L, result);
    Set(handle, CURLOPT_URL, node->url.c_str(), result);
    Set(handle, CURLOPT_TIMEOUT, 0L, result);
    Set(handle, CURLOPT_FOLLOWLOCATION, 1L, result);
    curl_options::SetTransferOptions(handle, &CMTCurlDownloader::WritePart, node,
                                     &CMTCurlDownloader::ProgressFunction, self, result);
    Set(handle, CURLOPT_LOW_SPEED_LIMIT, self->lowSpeedLimit, result);
    Set(handle, CURLOPT_LOW_SPEED_TIME, self->lowSpeedTime, result);
    Set(handle, CURLOPT_RANGE, range.c_str(), result);
    if (self->share.get()) Set(handle, CURLOPT_SHARE, self->share.get(), result);
    if (result != 0) return result;

    result = curl_easy_perform(handle);
    if (result != 0) {
        DebugLog(L"error:%d:%ls\r\n", result, CurlErrorText(result).c_str());
    } else {
        DebugLog(L"curl_easy_cleanup\r\n");
    }
    curl_easy_reset(handle);
    if (result == 0 && node->file) {
        std::fclose(node->file);
        node->file = nullptr;
    }
    return node->state = result;
}

void CMTCurlDownloader::downloadThreadFun(DownloadPartNode* node) {
    RetryBudget budget(RetryBudget::kAttempts);
    int result = downloadExe(this, node);
    while (result != 0 && budget.Left() > 0 && !thread.Stopped()) {
        budget.Charge(result);
        DebugLog(L"CurlDownLoader Code=%d\r\n", result);
        thread.Pause(retryPauseMs);
        result = downloadExe(this, node);
    }
    if (node->file) {
        std::fclose(node->file);
        node->file = nullptr;
    }
}

size_t CMTCurlDownloader::WritePart(char* data, size_t size, size_t count, void* userData) {
    auto* node = static_cast<DownloadPartNode*>(userData);
    if (!node->file || node->position > node->lastByte) return 0;
    const int64_t offered = static_cast<int64_t>(size * count);
    const int64_t wanted = std::min(offered, node->lastByte - node->position + 1);
    const size_t written = std::fwrite(data, 1, static_cast<size_t>(wanted), node->file);
    node->position += static_cast<int64_t>(written);
    node->downloaded += static_cast<int64_t>(written);
    return written;
}

int CMTCurlDownloader::ProgressFunction(void* userData, curl_off_t, curl_off_t, curl_off_t,
                                        curl_off_t) {
    auto* self = static_cast<CMTCurlDownloader*>(userData);
    if (self->thread.Stopped()) return 1;  // the downloader is being destroyed
    std::lock_guard lock(self->progressMutex);
    const int64_t now = std::chrono::duration_cast<std::chrono::seconds>(
                            std::chrono::system_clock::now().time_since_epoch())
                            .count();
    if (now < self->lastProgressTime + 1) return 0;
    self->lastProgressTime = now;

    double sum = 0.0;
    if (self->length >= kMinimumLength) {
        for (const auto& node : self->nodes) {
            const int64_t onDisk = node->downloaded;
            if (onDisk > 0)
                sum += static_cast<double>(onDisk) * 100 / static_cast<double>(self->length);
        }
    }
    if (sum > 100.0) return 0;
    if (sum - self->lastPercent >= 1.0) {
        self->lastPercent = sum;
        self->Report(DL_CODE_PROGRESS, sum / 100, L"");
    }
    return 0;
}

uint32_t CMTCurlDownloader::waitForFinishThreadFun(void* self) {
    static_cast<CMTCurlDownloader*>(self)->Finish();
    return 0;
}

// Joins the parts and takes the checksum while the parts still arrive.
void CMTCurlDownloader::WaitForParts(PartJoiner& joiner) {
    std::unique_lock lock(partsMutex);
    while (runningParts > 0) {
        lock.unlock();
        joiner.CatchUp();
        lock.lock();
        partEnded.wait_for(lock, std::chrono::milliseconds(10),
                           [this] { return runningParts == 0; });
    }
    lock.unlock();
    for (auto& part : partThreads) part->Join();
}

void CMTCurlDownloader::Finish() {
    std::vector<PartJoiner::Part> parts;
    const std::vector<PartRange> ranges = SplitIntoParts(length);
    for (size_t i = 0; i < nodes.size(); ++i) parts.push_back({nodes[i]->partPath, ranges[i].size});
    PartJoiner joiner(std::move(parts), md5.size() == kChecksumLength);
    WaitForParts(joiner);
    if (thread.Stopped()) {
        joiner.Undo();
        return;
    }

    int firstError = 0;
    for (const auto& node : nodes) {
        if (node->state != 0) {
            firstError = node->state;
            break;
        }
    }
    const std::string packageName = ToNarrow(savePath, kCodePageAnsi);
    if (firstError == 0) {
        lastPercent = 0.0;
        firstError = JoinParts(joiner, packageName);
    }
    if (firstError != 0) {
        joiner.Undo();
        return ReportFailure(firstError);
    }

    if (md5.size() == kChecksumLength) {
        const std::string joined = joiner.Checksum();
        const std::string actual = joined.empty() ? FileChecksum(packageName) : joined;
        if (actual.size() == kChecksumLength && actual != md5) {
            Report(DL_CODE_MD5_NOTICE, 0.0, L"mtcurl文件md5校验失败");
            RemoveFile(packageName);
            ReleaseNodes();
            if (retryUsed) {
                DebugLog(L"finish recv, md5 chaek failed and retry failed.\r\n");
                Report(DL_CODE_FAIL, 0.0, L"LibCurl");
            } else {
                retryUsed = true;
                DebugLog(L"finish recv, md5 chaek failed retry once.\r\n");
                Report(DL_CODE_RETRY, 0.0, L"LibCurl");
            }
            return;
        }
    } else {
        Report(DL_CODE_MD5_NOTICE, 0.0, L"mtcurl获取url-md5失败");
    }
    DebugLog(L"finish recv\r\n");
    ReleaseNodes();
    Report(DL_CODE_SUCCESS, 0.0, L"LibCurl");
}

int CMTCurlDownloader::JoinParts(PartJoiner& joiner, const std::string& packageName) {
    if (!joiner.Complete()) return kPartFileUnusable;
    std::error_code renameError;
    std::filesystem::rename(PartPath(packageName, 0), packageName, renameError);
    if (renameError) return kPartFileUnusable;
    DeletePartFiles(packageName);
    return 0;
}

void CMTCurlDownloader::ReportFailure(int firstError) {
    ReleaseNodes();
    if (lastPercent == 0.0) DeletePartFiles(ToNarrow(savePath, kCodePageAnsi));
    if (retryUsed) {
        lastPercent = 0.0;
        Report(DL_CODE_FAIL, firstError, L"LibCurl");
    } else {
        retryUsed = true;
        Report(DL_CODE_RETRY, firstError, L"LibCurl");
    }
}

void CMTCurlDownloader::ReleaseNodes() {
    for (auto& node : nodes) {
        if (node->handle) curl_easy_cleanup(node->handle);
        if (node->file) std::fclose(node->file);
    }
    nodes.clear();
}

void CMTCurlDownloader::DeletePartFiles(const std::string& packageName) const {
    for (int i = 0; i < kMaxParts; ++i) RemoveFile(PartPath(packageName, i));
}
