#include "sdk/record_consumer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <string>

#include "request_body.h"
#include "scratch_home.h"
#include "sdk/send_status.h"
#include "test_collector.h"

namespace {

using namespace std::chrono_literals;
using analytics_sdk::HttpSender;
using analytics_sdk::RecordConsumer;
using collector::TestCollector;

std::string Record(int n) { return "{\"n\":" + std::to_string(n) + "}"; }

std::vector<std::string> Records(int from, int to) {
    std::vector<std::string> records;
    for (int n = from; n < to; ++n) records.push_back(Record(n));
    return records;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class Consumer : public testing::Test {
protected:
    std::unique_ptr<RecordConsumer> MakeConsumer(std::string url = "", long timeout = 3) {
        return std::make_unique<RecordConsumer>(
            staging_.string(),
            std::make_unique<HttpSender>(url.empty() ? collector_.endpoint() : url, timeout));
    }
    static void Fill(RecordConsumer& consumer, int from, int to) {
        for (int n = from; n < to; ++n) consumer.Add(Record(n));
    }

    test_support::ScratchHome home_;
    std::filesystem::path staging_ = home_.data() / "staging.txt";
    TestCollector collector_;
};

TEST_F(Consumer, FlushAllSendsBatchesOfThirtyOldestFirst) {
    ASSERT_TRUE(collector_.running());
    auto consumer = MakeConsumer();
    EXPECT_TRUE(consumer->Flush());
    EXPECT_EQ(collector_.requestCount(), 0);

    Fill(*consumer, 0, 31);
    EXPECT_TRUE(consumer->FlushAll());
    const auto requests = collector_.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].records, Records(0, 30));
    EXPECT_EQ(requests[1].records, Records(30, 31));
    EXPECT_TRUE(consumer->QueuedRecords().empty());
    EXPECT_TRUE(analytics_sdk::lastSendSucceeded());
    EXPECT_EQ(requests[0].target, "/sa?project=pc");
    EXPECT_EQ(requests[0].userAgent, "Analytics CPP SDK 0.9");
    EXPECT_EQ(requests[0].contentType, "application/x-www-form-urlencoded");
}

TEST_F(Consumer, QueueKeepsTheNewest1024) {
    auto consumer = MakeConsumer();
    Fill(*consumer, 0, 1025);
    const auto queued = consumer->QueuedRecords();
    ASSERT_EQ(queued.size(), 1024u);
    EXPECT_EQ(queued.front(), Record(1));
    EXPECT_EQ(queued.back(), Record(1024));
}

TEST_F(Consumer, FailedSendPutsTheBatchBackInFrontAndStopsFlushAll) {
    collector_.set_mode(TestCollector::Mode::Fail);
    auto consumer = MakeConsumer();
    Fill(*consumer, 0, 40);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(consumer->FlushAll());
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Analytics SDK send failed: collector refused the batch\n");
    EXPECT_EQ(collector_.requestCount(), 1);
    EXPECT_EQ(consumer->QueuedRecords(), Records(0, 40));
    EXPECT_FALSE(analytics_sdk::lastSendSucceeded());

    collector_.set_mode(TestCollector::Mode::Accept);
    EXPECT_TRUE(consumer->FlushAll());
    EXPECT_EQ(collector_.deliveredRecords(), Records(0, 40));
}

TEST_F(Consumer, RequeueKeepsOnlyTheNewestOfTheBatchThatStillFit) {
    collector_.set_mode(TestCollector::Mode::Hang);
    auto consumer = MakeConsumer();
    Fill(*consumer, 0, 1024);
    auto flushing = std::async(std::launch::async, [&] { return consumer->Flush(); });
    ASSERT_TRUE(collector_.WaitForRequests(1, 5s));
    // The batch of 30 is out of the queue: 994 stay, 26 more arrive meanwhile.
    Fill(*consumer, 1024, 1050);
    collector_.set_mode(TestCollector::Mode::Fail);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(flushing.get());
    testing::internal::GetCapturedStderr();
    const auto queued = consumer->QueuedRecords();
    ASSERT_EQ(queued.size(), 1024u);
    EXPECT_EQ(std::vector(queued.begin(), queued.begin() + 5),
              (std::vector{Record(26), Record(27), Record(28), Record(29), Record(30)}));
    EXPECT_EQ(queued.back(), Record(1049));
}

TEST_F(Consumer, UnreachableOrSilentCollectorFailsWithinTheTimeout) {
    const int closedPort = [] {
        TestCollector gone;
        return gone.port();
    }();
    collector_.set_mode(TestCollector::Mode::Hang);
    for (const std::string& url :
         {"http://127.0.0.1:" + std::to_string(closedPort) + "/sa", collector_.endpoint()}) {
        auto consumer = MakeConsumer(url, 1);
        Fill(*consumer, 0, 3);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(consumer->FlushAll()) << url;
        EXPECT_TRUE(
            testing::internal::GetCapturedStderr().starts_with("Analytics SDK send failed: "));
        EXPECT_EQ(consumer->QueuedRecords(), Records(0, 3));
    }
    EXPECT_EQ(collector_.requestCount(), 1);
}

TEST_F(Consumer, CloseStagesTheQueueAndTheNextConsumerSendsItFirst) {
    collector_.set_mode(TestCollector::Mode::Fail);
    auto first = MakeConsumer();
    Fill(*first, 0, 3);
    first->Close();
    EXPECT_EQ(ReadFile(staging_), Record(0) + "\n" + Record(1) + "\n" + Record(2) + "\n");

    // Lines that are not whole records are dropped at the merge.
    std::ofstream(staging_, std::ios::app) << "\n{broken\nnot json}\n" << Record(3) << "\n";
    collector_.set_mode(TestCollector::Mode::Accept);
    auto second = MakeConsumer();
    second->Add(Record(4));
    EXPECT_TRUE(second->FlushAll());
    EXPECT_EQ(collector_.deliveredRecords(), Records(0, 5));
    EXPECT_EQ(ReadFile(staging_), "");
    second->Close();
    EXPECT_EQ(ReadFile(staging_), "");
}

TEST_F(Consumer, MergeIntoAFullQueueKeepsTheNewestStagedAndEmptiesTheFile) {
    {
        std::ofstream staged(staging_);
        for (int n = 0; n < 10; ++n) staged << Record(n) << "\n";
    }
    auto full = MakeConsumer();
    Fill(*full, 100, 1124);
    full->Close();  // merge finds no room, then stages the 1024
    EXPECT_TRUE(ReadFile(staging_).starts_with(Record(100) + "\n"));

    {
        std::ofstream staged(staging_);
        for (int n = 0; n < 10; ++n) staged << Record(n) << "\n";
    }
    auto partly = MakeConsumer();
    Fill(*partly, 100, 1120);  // room for 4
    collector_.set_mode(TestCollector::Mode::Fail);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(partly->Flush());
    testing::internal::GetCapturedStderr();
    const auto queued = partly->QueuedRecords();
    EXPECT_EQ(std::vector(queued.begin(), queued.begin() + 5),
              (std::vector{Record(6), Record(7), Record(8), Record(9), Record(100)}));
    EXPECT_EQ(ReadFile(staging_), "");
}

TEST(HttpSenderBody, IsGzipBase64PercentEncodedAndDecodesBack) {
    const std::string batch = "[{\"a\":\"中文 +/=\"},{\"b\":1}]";
    const std::optional<std::string> body = HttpSender::EncodeBody(batch);
    ASSERT_TRUE(body);
    EXPECT_TRUE(body->starts_with("data_list=H4sI")) << *body;  // gzip magic 1F 8B 08
    EXPECT_TRUE(body->ends_with("&gzip=1"));
    const std::string encoded = body->substr(10, body->size() - 17);
    EXPECT_EQ(encoded.find_first_of("+/=&"), std::string::npos);
    EXPECT_EQ(collector::DecodeRequestBody(*body), batch);
}

}  // namespace
