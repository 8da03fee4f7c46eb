#include "platform/url_download.h"

#include <curl/curl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "fault_server.h"
#include "scratch_home.h"

namespace fs = std::filesystem;
using namespace platform;

namespace {

// Records what the service tells its caller; aborts on request.
class RecordingCallback final : public BindStatusCallback {
public:
    HRESULT OnStartBinding(uint32_t, Binding* newBinding) override {
        binding = newBinding;
        return kE_NOTIMPL;
    }
    HRESULT GetPriority(int32_t*) override { return kE_NOTIMPL; }
    HRESULT OnLowResource(uint32_t) override { return kE_NOTIMPL; }
    HRESULT OnProgress(uint32_t progress, uint32_t progressMax, uint32_t status,
                       const wchar_t*) override {
        lastProgress = progress;
        lastProgressMax = progressMax;
        lastStatus = status;
        if (abortAfterBytes >= 0 && progress > static_cast<uint32_t>(abortAfterBytes)) {
            return kE_ABORT;
        }
        if (abortThroughBinding && binding && progress > 0) binding->Abort();
        return kS_OK;
    }
    HRESULT OnStopBinding(HRESULT result, const wchar_t*) override {
        stopResult = result;
        ++stops;
        return kE_NOTIMPL;
    }
    HRESULT GetBindInfo(uint32_t*, BindInfo*) override { return kE_NOTIMPL; }

    Binding* binding = nullptr;
    int64_t abortAfterBytes = -1;
    bool abortThroughBinding = false;
    uint32_t lastProgress = 0, lastProgressMax = 0, lastStatus = 0;
    HRESULT stopResult = 1;
    int stops = 0;
};

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

class UrlDownloadToFile : public testing::Test {
protected:
    void SetUp() override {
        curl_global_init(CURL_GLOBAL_ALL);
        source = home.tmp() / "package.bin";
        std::ofstream(source, std::ios::binary) << std::string(600000, 'p') << "end";
        target = home.tmp() / "saved.bin";
    }

    HRESULT Fetch(const fault_server::Options& adjust, RecordingCallback& callback) {
        fault_server::Options options = adjust;
        options.file = source.string();
        options.name = "package.bin";
        fault_server::Server server(options);
        EXPECT_TRUE(server.Start()) << server.Error();
        return URLDownloadToFile(nullptr, fs::path(server.RedirectUrl()).wstring().c_str(),
                                 target.wstring().c_str(), 0, &callback);
    }

    test_support::ScratchHome home;
    fs::path source;
    fs::path target;
};

TEST_F(UrlDownloadToFile, FollowsTheRedirectAndReportsTheWholeFile) {
    RecordingCallback callback;
    EXPECT_EQ(Fetch({}, callback), kS_OK);
    EXPECT_EQ(ReadAll(target), ReadAll(source));
    EXPECT_NE(callback.binding, nullptr);
    EXPECT_EQ(callback.lastStatus, BINDSTATUS_ENDDOWNLOADDATA);
    EXPECT_EQ(callback.lastProgress, 600003u);
    EXPECT_EQ(callback.lastProgressMax, 600003u);
    EXPECT_EQ(callback.stopResult, kS_OK);
    EXPECT_EQ(callback.stops, 1);
    EXPECT_FALSE(fs::exists(target.string() + ".dltmp"));
}

// Every failure leaves an existing target as it was and no temporary file.
TEST_F(UrlDownloadToFile, FailuresKeepTheOldFileAndMapToServiceResults) {
    struct Case {
        const char* name;
        fault_server::Options options;
        int64_t abortAfterBytes;
        bool abortThroughBinding;
        HRESULT expected;
    };
    fault_server::Options missing;
    missing.allStatus = 404;
    fault_server::Options failing;
    failing.faults.faultedTransfers = -1;
    failing.faults.status = 500;
    fault_server::Options cut;
    cut.faults.faultedTransfers = -1;
    cut.faults.cutAfterBytes = 1000;
    fault_server::Options slow;
    slow.rateLimit = 200000;
    const Case cases[] = {
        {"404", missing, -1, false, kINET_E_RESOURCE_NOT_FOUND},
        {"500 to the transfer", failing, -1, false, kINET_E_RESOURCE_NOT_FOUND},
        {"connection cut", cut, -1, false, kINET_E_DOWNLOAD_FAILURE},
        {"aborted by OnProgress", slow, 1, false, kE_ABORT},
        {"aborted through the binding", slow, -1, true, kE_ABORT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::ofstream(target, std::ios::binary) << "old";
        RecordingCallback callback;
        callback.abortAfterBytes = c.abortAfterBytes;
        callback.abortThroughBinding = c.abortThroughBinding;
        EXPECT_EQ(Fetch(c.options, callback), c.expected);
        EXPECT_EQ(callback.stopResult, c.expected);
        EXPECT_EQ(ReadAll(target), "old");
        EXPECT_FALSE(fs::exists(target.string() + ".dltmp"));
    }
}

TEST_F(UrlDownloadToFile, CopiesLocalFilesAndRefusesUnreachableServers) {
    RecordingCallback callback;
    EXPECT_EQ(URLDownloadToFile(nullptr, (L"file://" + source.wstring()).c_str(),
                                target.wstring().c_str(), 0, &callback),
              kS_OK);
    EXPECT_EQ(ReadAll(target), ReadAll(source));
    EXPECT_EQ(URLDownloadToFile(nullptr, (L"file://" + source.wstring() + L".absent").c_str(),
                                target.wstring().c_str(), 0, nullptr),
              kINET_E_RESOURCE_NOT_FOUND);

    int freePort = 0;
    {
        fault_server::Options options;
        options.file = source.string();
        fault_server::Server closed(options);
        ASSERT_TRUE(closed.Start());
        freePort = closed.Port();
    }
    const std::wstring refused = L"http://127.0.0.1:" + std::to_wstring(freePort) + L"/x";
    EXPECT_EQ(URLDownloadToFile(nullptr, refused.c_str(), target.wstring().c_str(), 0, nullptr),
              kINET_E_DOWNLOAD_FAILURE);
}
