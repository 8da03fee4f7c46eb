#include "download/curl_downloader.h"

#include <filesystem>
#include <system_error>

#include "app/debug_log.h"
#include "download/checksum.h"
#include "download/retry_budget.h"
#include "utils/text_conversion.h"

CCurlDownloader::CCurlDownloader(DownloadCallback callback, std::wstring url, std::wstring savePath)
    : callback(std::move(callback)),
      savePath(std::move(savePath)),
      url(std::move(url)),
      client(this->url, this->savePath, this, &CCurlDownloader::ForwardProgress) {
    client.HashWhileWriting();
    std::error_code ignored;
    std::filesystem::remove(ToNarrow(this->savePath + L".part", kCodePageAnsi), ignored);
}

CCurlDownloader::~CCurlDownloader() {
    client.RequestStop();
    thread.Stop();
}

void CCurlDownloader::Start() { thread.Launch(&CCurlDownloader::dlThreadFun, this); }

uint32_t CCurlDownloader::dlThreadFun(void* self) {
    static_cast<CCurlDownloader*>(self)->Run();
    return 0;
}

void CCurlDownloader::ForwardProgress(void* self, double rate, double, double percent) {
    if (rate > 0.0 && percent <= 100.0) {
        static_cast<CCurlDownloader*>(self)->Report(DL_CODE_PROGRESS, percent / 100, L"");
    }
}

void CCurlDownloader::Report(int32_t code, double value, const wchar_t* text) {
    if (!thread.Stopped() && callback) callback(code, value, text);
}

void CCurlDownloader::Run() {
    Report(DL_CODE_START, 1.0, L"");
    if (savePath.empty()) {
        Report(DL_CODE_FAIL, 1.0, L"");
        return;
    }
    RetryBudget budget(RetryBudget::kAttempts);
    int result = client.Start();
    while (result != 0) {
        if (thread.Stopped()) return;
        if (!budget.Charge(result)) {
            Report(DL_CODE_FAIL, result, L"LibCurl");
            return;
        }
        DebugLog(L"CurlDownLoader Code=%d\r\n", result);
        thread.Pause(retryPauseMs);
        result = client.Start();
    }
    VerifyChecksum();
}

void CCurlDownloader::VerifyChecksum() {
    const std::string expected = UrlChecksum(client.RealUrl());
    if (expected.size() != kChecksumLength) {
        Report(DL_CODE_MD5_NOTICE, 0.0, L"curl获取url-md5失败");
        Report(DL_CODE_SUCCESS, 0.0, L"LibCurl");
        return;
    }
    const std::string actual = client.Checksum().empty()
                                   ? FileChecksum(ToNarrow(savePath, kCodePageAnsi))
                                   : client.Checksum();
    if (actual.size() == kChecksumLength && actual != expected) {
        Report(DL_CODE_MD5_NOTICE, 0.0, L"curl文件md5校验失败");
        if (!md5RetryUsed) {
            md5RetryUsed = true;
            Report(DL_CODE_RETRY, 0.0, L"LibCurl");
        } else {
            Report(DL_CODE_FAIL, 0.0, L"LibCurl");
        }
        return;
    }
    Report(DL_CODE_SUCCESS, 0.0, L"LibCurl");
}
