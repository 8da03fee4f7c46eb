#include "platform/crash_filter.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <thread>

namespace platform {
namespace {

constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};
constexpr int kWaitMilliseconds = 2000;
constexpr unsigned char kQuit = 0;

// Everything the handler touches is plain data set up before it is installed.
int wakePipe[2] = {-1, -1};
int donePipe[2] = {-1, -1};
std::atomic<int> crashingSignal{0};
struct sigaction previousActions[sizeof kSignals / sizeof kSignals[0]];
alignas(16) char alternateStack[64 * 1024];
CrashFilter* installedFilter = nullptr;

void WaitForDone(int milliseconds) {
    pollfd done{donePipe[0], POLLIN, 0};
    while (::poll(&done, 1, milliseconds) < 0 && errno == EINTR) {
    }
    if ((done.revents & POLLIN) == 0) return;
    unsigned char byte = 0;
    [[maybe_unused]] const ssize_t got = ::read(donePipe[0], &byte, 1);
}

void OnCrash(int signal) {
    const int savedErrno = errno;
    if (crashingSignal.exchange(signal) == 0) {
        const unsigned char byte = static_cast<unsigned char>(signal);
        if (::write(wakePipe[1], &byte, 1) == 1) WaitForDone(kWaitMilliseconds);
    } else {
        // Another thread is reporting; let it finish or time out.
        const timespec pause{kWaitMilliseconds / 1000, 0};
        ::nanosleep(&pause, nullptr);
    }
    struct sigaction defaultAction {};
    defaultAction.sa_handler = SIG_DFL;
    sigemptyset(&defaultAction.sa_mask);
    ::sigaction(signal, &defaultAction, nullptr);
    errno = savedErrno;
    // Delivered when the handler returns, as the signal is blocked in it.
    ::raise(signal);
}

void Report() {
    // The reporter never takes a signal meant for the process.
    sigset_t all;
    sigfillset(&all);
    ::pthread_sigmask(SIG_BLOCK, &all, nullptr);
    for (;;) {
        unsigned char byte = 0;
        const ssize_t got = ::read(wakePipe[0], &byte, 1);
        if (got < 0 && errno == EINTR) continue;
        if (got != 1 || byte == kQuit) break;
        (*installedFilter)(byte);
        const unsigned char done = 1;
        [[maybe_unused]] const ssize_t written = ::write(donePipe[1], &done, 1);
    }
    const unsigned char done = 1;
    [[maybe_unused]] const ssize_t written = ::write(donePipe[1], &done, 1);
}

void ClosePipes() {
    for (int* pipe : {wakePipe, donePipe}) {
        for (int i = 0; i < 2; ++i) {
            if (pipe[i] >= 0) ::close(pipe[i]);
            pipe[i] = -1;
        }
    }
}

}  // namespace

bool SetUnhandledExceptionFilter(CrashFilter filter) {
    if (installedFilter != nullptr) RemoveUnhandledExceptionFilter();
    if (::pipe2(wakePipe, O_CLOEXEC) != 0 || ::pipe2(donePipe, O_CLOEXEC) != 0) {
        ClosePipes();
        return false;
    }
    installedFilter = new CrashFilter(std::move(filter));
    try {
        std::thread(Report).detach();
    } catch (const std::system_error&) {
        delete installedFilter;
        installedFilter = nullptr;
        ClosePipes();
        return false;
    }
    stack_t stack{};
    stack.ss_sp = alternateStack;
    stack.ss_size = sizeof alternateStack;
    ::sigaltstack(&stack, nullptr);
    crashingSignal = 0;
    struct sigaction action {};
    action.sa_handler = OnCrash;
    action.sa_flags = SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (size_t i = 0; i < std::size(kSignals); ++i) {
        ::sigaction(kSignals[i], &action, &previousActions[i]);
    }
    return true;
}

void RemoveUnhandledExceptionFilter() {
    if (installedFilter == nullptr) return;
    for (size_t i = 0; i < std::size(kSignals); ++i) {
        ::sigaction(kSignals[i], &previousActions[i], nullptr);
    }
    const unsigned char quit = kQuit;
    if (::write(wakePipe[1], &quit, 1) == 1) WaitForDone(kWaitMilliseconds);
    ClosePipes();
    delete installedFilter;
    installedFilter = nullptr;
}

}  // namespace platform
