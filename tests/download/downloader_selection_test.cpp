#include <gtest/gtest.h>

#include <typeinfo>

#include "download/curl_downloader.h"
#include "download/downloader.h"
#include "download/mt_curl_downloader.h"
#include "download/win_downloader.h"

TEST(CreateDownloader, ChoosesByDownloadType) {
    const struct {
        int type;
        const std::type_info& expected;
    } cases[] = {
        {2, typeid(CWinDownloader)},  {3, typeid(CMTCurlDownloader)}, {0, typeid(CCurlDownloader)},
        {1, typeid(CCurlDownloader)}, {4, typeid(CCurlDownloader)},   {-1, typeid(CCurlDownloader)},
    };
    for (const auto& c : cases) {
        // Never started: construction and destruction alone must not hang.
        auto downloader = CreateDownloader(c.type, nullptr, L"http://127.0.0.1:9/", L"");
        ASSERT_NE(downloader, nullptr);
        EXPECT_EQ(typeid(*downloader), c.expected) << c.type;
    }
}
