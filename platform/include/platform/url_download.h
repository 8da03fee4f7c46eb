#pragma once

#include <cstdint>

namespace platform {

// HRESULT values of the URL download service, as Windows numbers them.
using HRESULT = int32_t;
inline constexpr HRESULT kS_OK = 0;
inline constexpr HRESULT kE_NOTIMPL = static_cast<HRESULT>(0x80004001u);
inline constexpr HRESULT kE_ABORT = static_cast<HRESULT>(0x80004004u);
inline constexpr HRESULT kINET_E_RESOURCE_NOT_FOUND = static_cast<HRESULT>(0x800C0005u);
inline constexpr HRESULT kINET_E_DOWNLOAD_FAILURE = static_cast<HRESULT>(0x800C0008u);

// BINDSTATUS codes passed to OnProgress.
enum BindStatus : uint32_t {
    BINDSTATUS_FINDINGRESOURCE = 1,
    BINDSTATUS_CONNECTING = 2,
    BINDSTATUS_REDIRECTING = 3,
    BINDSTATUS_BEGINDOWNLOADDATA = 4,
    BINDSTATUS_DOWNLOADINGDATA = 5,
    BINDSTATUS_ENDDOWNLOADDATA = 6,
};

// IBinding: the running download, handed to OnStartBinding.
class Binding {
public:
    virtual HRESULT Abort() = 0;

protected:
    ~Binding() = default;
};

// BINDINFO, reduced to what the callers fill in.
struct BindInfo {
    uint32_t codePage = 0;
};

// IBindStatusCallback: the caller's view of a download. OnProgress returning
// kE_ABORT aborts it. The service owns nothing of the callback.
class BindStatusCallback {
public:
    virtual HRESULT OnStartBinding(uint32_t reserved, Binding* binding) = 0;
    virtual HRESULT GetPriority(int32_t* priority) = 0;
    virtual HRESULT OnLowResource(uint32_t reserved) = 0;
    virtual HRESULT OnProgress(uint32_t progress, uint32_t progressMax, uint32_t statusCode,
                               const wchar_t* statusText) = 0;
    virtual HRESULT OnStopBinding(HRESULT result, const wchar_t* error) = 0;
    virtual HRESULT GetBindInfo(uint32_t* bindFlags, BindInfo* info) = 0;

protected:
    ~BindStatusCallback() = default;
};

// URLDownloadToFileW: downloads `url` (http, https or file) into `fileName`,
// following redirects, through a temporary file beside it that replaces the
// target only when complete. Returns kS_OK, kE_ABORT (the callback or the
// binding aborted), kINET_E_RESOURCE_NOT_FOUND (an HTTP error status, a
// missing local file) or kINET_E_DOWNLOAD_FAILURE (anything else). TLS
// certificates and host names are always verified.
HRESULT URLDownloadToFile(void* caller, const wchar_t* url, const wchar_t* fileName,
                          uint32_t reserved, BindStatusCallback* callback);

}  // namespace platform
