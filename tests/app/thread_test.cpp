#include "app/thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>

#include "trace_capture.h"

namespace {

using namespace std::chrono_literals;

const TraceCapture& capture = TraceCapture::Instance();

std::string ThreadNameOf(uint32_t tid) {
    std::ifstream comm("/proc/self/task/" + std::to_string(tid) + "/comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

TEST(UtilsThread, HeldAtTheGateUntilResumedThenLogsBeginAndEnd) {
    std::atomic<int> runs{0};
    const size_t mark = capture.Mark();
    Utils::Thread thread(
        [&](void* param) {
            EXPECT_EQ(param, &runs);
            ++runs;
            return 7u;
        },
        &runs, L"ABDEF");
    ASSERT_TRUE(thread.HasThread());
    EXPECT_NE(thread.ThreadId(), Utils::Thread::kNoThreadId);
    EXPECT_EQ(ThreadNameOf(thread.ThreadId()), "ABDEF");
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(runs, 0);
    EXPECT_TRUE(thread.Resume());
    EXPECT_FALSE(thread.Resume());
    thread.Join();
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(thread.HasThread());
    EXPECT_EQ(thread.ThreadId(), Utils::Thread::kNoThreadId);
    const std::string trace = capture.Since(mark);
    EXPECT_NE(trace.find("(Utils::Thread::CallBack)<"), std::string::npos) << trace;
    EXPECT_LT(trace.find("THREAD BEGIN\r\n"), trace.find("THREAD END\r\n"));
}

TEST(UtilsThread, EmptyNameGivesTheLetterTAndTheThreadId) {
    Utils::Thread thread([](void*) { return 0u; }, nullptr, L"");
    EXPECT_EQ(ThreadNameOf(thread.ThreadId()), "t" + std::to_string(thread.ThreadId()));
    thread.Resume();
}

TEST(UtilsThread, JoiningOrDestroyingAnUnresumedRecordReturnsWithoutRunningTheWork) {
    std::atomic<bool> ran{false};
    auto work = [&](void*) {
        ran = true;
        return 0u;
    };
    { Utils::Thread destroyed(work, nullptr, L"UnInstaller"); }
    Utils::Thread joined(work, nullptr, L"ABDEF");
    joined.Join();
    EXPECT_FALSE(joined.HasThread());
    EXPECT_FALSE(joined.Resume());
    EXPECT_FALSE(ran);
}

TEST(UtilsThread, DestructionWaitsForRunningWork) {
    std::atomic<bool> finished{false};
    const auto start = std::chrono::steady_clock::now();
    {
        Utils::Thread thread(
            [&](void*) {
                std::this_thread::sleep_for(300ms);
                finished = true;
                return 0u;
            },
            nullptr, L"ABDEF");
        thread.Resume();
    }
    EXPECT_TRUE(finished);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 300ms);
}

}  // namespace
