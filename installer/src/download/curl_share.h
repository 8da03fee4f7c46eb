#pragma once

#include <curl/curl.h>

#include <mutex>

// Name lookups and TLS sessions shared by the transfers of one download: the
// ranges start on the probe's lookup instead of asking the resolver again, and
// resume its TLS session instead of a full handshake. (Connections are not
// shared: libcurl does not support that between concurrent threads.)
class CurlShare {
public:
    CurlShare();
    // Every easy handle given the share must be released first.
    ~CurlShare();
    CurlShare(const CurlShare&) = delete;
    CurlShare& operator=(const CurlShare&) = delete;

    // The share object for CURLOPT_SHARE; null when it could not be made, in
    // which case each transfer simply works on its own.
    CURLSH* get() const { return share; }

private:
    static void Lock(CURL*, curl_lock_data data, curl_lock_access, void* self);
    static void Unlock(CURL*, curl_lock_data data, void* self);

    CURLSH* share = nullptr;
    std::mutex locks[CURL_LOCK_DATA_LAST];
};
