// SIGINT and SIGTERM on POSIX.  The handler does only what is safe in a
// signal handler: it reads the monotonic clock, writes one byte to a pipe,
// or puts the default action back and raises the signal again.  A thread
// reading the pipe makes the call, where taking locks and posting messages
// is allowed.
#include "platform/host/quit_signals.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <initializer_list>
#include <mutex>
#include <pthread.h>
#include <thread>
#include <time.h>
#include <unistd.h>

namespace vtl::host {
namespace {

constexpr int64_t kSecondRequestMs = 3000;

int gPipe[2] = {-1, -1};
bool (*gOnQuit)() = nullptr;
// When the last first request arrived (monotonic milliseconds, +1 so that 0
// means none).
std::atomic<int64_t> gFirstRequestAt{0};
static_assert(std::atomic<int64_t>::is_always_lock_free, "read inside a signal handler");

int64_t nowMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<int64_t>(t.tv_sec) * 1000 + t.tv_nsec / 1000000 + 1;
}

[[noreturn]] void endAsTheSignalWould(int signalNumber)
{
    std::signal(signalNumber, SIG_DFL);
    // Inside the handler the signal is blocked: let it through.
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signalNumber);
    pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    std::raise(signalNumber);
    _exit(128 + signalNumber); // should the signal still not end the process
}

void onSignal(int signalNumber)
{
    const int savedErrno = errno;
    const int64_t now = nowMs();
    const int64_t first = gFirstRequestAt.load();
    if (first != 0 && now - first < kSecondRequestMs)
        endAsTheSignalWould(signalNumber);
    gFirstRequestAt.store(now);
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    if (write(gPipe[1], &byte, 1) != 1)
        endAsTheSignalWould(signalNumber);
    errno = savedErrno;
}

void readRequests()
{
    for (;;) {
        unsigned char byte = 0;
        const ssize_t n = read(gPipe[0], &byte, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n != 1)
            return;
        if (!gOnQuit())
            endAsTheSignalWould(byte);
    }
}

} // namespace

void watchQuitRequests(bool (*onQuit)())
{
    static std::once_flag once;
    std::call_once(once, [onQuit] {
        if (pipe2(gPipe, O_CLOEXEC) != 0)
            return;
        gOnQuit = onQuit;
        std::thread(readRequests).detach();
        struct sigaction action {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        // A program (or its shell) that handles or ignores a signal itself
        // keeps its choice.
        for (int signalNumber : {SIGINT, SIGTERM}) {
            struct sigaction current {};
            if (sigaction(signalNumber, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
                sigaction(signalNumber, &action, nullptr);
        }
    });
}

} // namespace vtl::host
