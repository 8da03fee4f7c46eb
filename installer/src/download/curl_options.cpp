#include "download/curl_options.h"

namespace curl_options {

size_t DiscardBody(char*, size_t size, size_t count, void*) { return size * count; }

void SetProbeOptions(CURL* handle, const std::string& url, int& result) {
    Set(handle, CURLOPT_URL, url.c_str(), result);
    Set(handle, CURLOPT_NOBODY, 1L, result);
    Set(handle, CURLOPT_WRITEFUNCTION, &DiscardBody, result);
    Set(handle, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds, result);
}

void SetTransferOptions(CURL* handle, curl_write_callback write, void* writeData,
                        curl_xferinfo_callback progress, void* progressData, int& result) {
    Set(handle, CURLOPT_WRITEFUNCTION, write, result);
    Set(handle, CURLOPT_WRITEDATA, writeData, result);
    Set(handle, CURLOPT_NOPROGRESS, 0L, result);
    Set(handle, CURLOPT_XFERINFOFUNCTION, progress, result);
    Set(handle, CURLOPT_XFERINFODATA, progressData, result);
    Set(handle, CURLOPT_FAILONERROR, 1L, result);
    Set(handle, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds, result);
    Set(handle, CURLOPT_BUFFERSIZE, kReceiveBufferBytes, result);
}

}  // namespace curl_options
