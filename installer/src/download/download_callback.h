#pragma once

#include <cstdint>
#include <functional>

// Every event of a downloader reaches its owner through one copyable function
// object: a numeric code, a value and a zero-terminated wide text. It is
// always called on a worker thread.
using DownloadCallback = std::function<void(int32_t code, double value, const wchar_t* text)>;

enum DownloadCode : int32_t {
    DL_CODE_START = 1001,       // value 1.0: the download thread has begun
    DL_CODE_PROGRESS = 1002,    // value: fraction done, 0.0 to 1.0
    DL_CODE_SUCCESS = 1003,     // the complete file is at the save path
    DL_CODE_FAIL = 1004,        // value: the error code; nothing follows
    DL_CODE_RETRY = 1005,       // value: the error code; asks once for a new Start
    DL_CODE_MD5_NOTICE = 1006,  // a note about the checksum; 1003, 1004 or 1005 follows
};
