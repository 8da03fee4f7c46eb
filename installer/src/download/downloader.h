#pragma once

#include <memory>
#include <string>

#include "download/download_callback.h"

// The interchangeable package downloaders. Start returns at once; the work
// runs on the downloader's own thread and is reported through the callback
// given at construction. After DL_CODE_RETRY the owner calls Start again
// (from inside the callback, which is allowed). Destruction stops a running
// transfer and waits for every thread of the downloader.
class CDownloader {
public:
    virtual ~CDownloader() = default;
    virtual void Start() = 0;
};

// The DownloadType setting: 2 the system URL download, 3 the multi-part
// downloader, any other value the single libcurl stream.
inline constexpr int kDownloadTypeSystem = 2;
inline constexpr int kDownloadTypeMultiPart = 3;

std::unique_ptr<CDownloader> CreateDownloader(int downloadType, DownloadCallback callback,
                                              std::wstring url, std::wstring savePath);
