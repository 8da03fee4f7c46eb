#include "download/curl_share.h"

CurlShare::CurlShare() : share(curl_share_init()) {
    if (!share) return;
    const bool ready =
        curl_share_setopt(share, CURLSHOPT_LOCKFUNC, &CurlShare::Lock) == CURLSHE_OK &&
        curl_share_setopt(share, CURLSHOPT_UNLOCKFUNC, &CurlShare::Unlock) == CURLSHE_OK &&
        curl_share_setopt(share, CURLSHOPT_USERDATA, this) == CURLSHE_OK &&
        curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS) == CURLSHE_OK &&
        curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_SSL_SESSION) == CURLSHE_OK;
    if (!ready) {
        curl_share_cleanup(share);
        share = nullptr;
    }
}

CurlShare::~CurlShare() {
    if (share) curl_share_cleanup(share);
}

void CurlShare::Lock(CURL*, curl_lock_data data, curl_lock_access, void* self) {
    static_cast<CurlShare*>(self)->locks[data].lock();
}

void CurlShare::Unlock(CURL*, curl_lock_data data, void* self) {
    static_cast<CurlShare*>(self)->locks[data].unlock();
}
