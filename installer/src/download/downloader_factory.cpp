#include "download/curl_downloader.h"
#include "download/downloader.h"

std::unique_ptr<CDownloader> CreateDownloader(int downloadType, DownloadCallback callback,
                                              std::wstring url, std::wstring savePath) {
    // The system and multi-part downloaders are selected here as they land;
    // until then every type uses the single stream.
    (void)downloadType;
    return std::make_unique<CCurlDownloader>(std::move(callback), std::move(url),
                                             std::move(savePath));
}
