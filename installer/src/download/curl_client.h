#pragma once

#include <curl/curl.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "download/checksum.h"

// One resumable single-stream download of one URL into one file. Before the
// transfer it resolves redirects and learns the size; it writes into
// savePath + ".part", resumes such a file left by an earlier attempt, and
// renames it to savePath only after success. Retries and checksums are the
// owner's business.
class CurlClient {
public:
    // (owner, rate in bytes per second, reserved 0.0, percent done)
    using ProgressFn = void (*)(void* owner, double rate, double reserved, double percent);

    // Results of Start besides 0 (done) and libcurl's own codes.
    static constexpr int kStagingOpenFailed = -996;
    static constexpr int kNoEasyHandle = -997;
    static constexpr int kLengthUnusable = -998;
    static constexpr double kMinimumLength = 1048576.0;

    CurlClient(std::wstring url, std::wstring savePath, void* owner, ProgressFn progressFn);
    // Stops a running transfer at its next progress call and removes the
    // staging file.
    ~CurlClient();
    CurlClient(const CurlClient&) = delete;
    CurlClient& operator=(const CurlClient&) = delete;

    // One whole attempt on the calling thread.
    int Start();
    // Makes the running transfer (and every later one) abort; safe from any thread.
    void RequestStop() { stopRequested = true; }
    // Hashes the package on its way to the staging file, resumed bytes
    // included, so that its owner need not read it again.
    void HashWhileWriting() { hashing = true; }
    // After a successful Start with hashing: the MD5 of the file it produced;
    // empty when the hash did not cover every byte of it.
    const std::string& Checksum() const { return checksum; }

    const std::string& RealUrl() const { return realUrl; }
    double TotalLength() const { return totalLength; }
    int64_t ResumeOffset() const { return resumeOffset; }
    const std::wstring& OpenErrorText() const { return openErrorText; }

    static int ProgressCallback(void* self, curl_off_t dltotal, curl_off_t dlnow,
                                curl_off_t ultotal, curl_off_t ulnow);
    // A body-less request following redirects; the caller releases the handle
    // (also returned when the request failed). Null when no handle exists.
    static CURL* Head(const std::string& url);
    static std::string GetRealUrl(CURL* handle);
    static double GetDownloadFileLength(CURL* handle);
    static std::string GetRealUrl_Str(const std::string& url);
    static double GetDownloadFileLength_Str(const std::string& url);

private:
    void LearnUrlAndLength(const std::string& requestUrl);
    int Transfer(const std::string& stagingName);
    void PrepareStagingHash(const std::string& stagingName);
    static size_t WriteStaging(char* data, size_t size, size_t count, void* self);

    std::wstring url;
    std::wstring savePath;
    void* owner;
    CURL* handle = nullptr;
    ProgressFn progressFn;
    double totalLength = -1.0;
    int64_t resumeOffset = -1;
    int64_t lastProgressTime = 0;
    std::atomic<bool> stopRequested = false;
    std::wstring openErrorText;
    std::string realUrl;
    FILE* stagingFile = nullptr;
    bool hashing = false;
    std::unique_ptr<Md5Stream> stagingHash;
    int64_t hashedBytes = 0;  // of the staging file, from its start
    std::string checksum;
};
