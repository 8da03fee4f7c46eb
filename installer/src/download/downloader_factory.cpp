#include "download/curl_downloader.h"
#include "download/downloader.h"
#include "download/mt_curl_downloader.h"
#include "download/win_downloader.h"

std::unique_ptr<CDownloader> CreateDownloader(int downloadType, DownloadCallback callback,
                                              std::wstring url, std::wstring savePath) {
    switch (downloadType) {
        case kDownloadTypeSystem:
            return std::make_unique<CWinDownloader>(std::move(callback), std::move(url),
                                                    std::move(savePath));
        case kDownloadTypeMultiPart:
            return std::make_unique<CMTCurlDownloader>(std::move(callback), std::move(url),
                                                       std::move(savePath));
        default:
            return std::make_unique<CCurlDownloader>(std::move(callback), std::move(url),
                                                     std::move(savePath));
    }
}
