#include <curl/curl.h>
#include <gtest/gtest.h>

#include "trace_capture.h"

// libcurl's global set-up is the program's job, once, before any thread.
int main(int argc, char** argv) {
    TraceCapture::Instance();  // before the first trace line picks the sink
    testing::InitGoogleTest(&argc, argv);
    curl_global_init(CURL_GLOBAL_ALL);
    const int result = RUN_ALL_TESTS();
    curl_global_cleanup();
    return result;
}
