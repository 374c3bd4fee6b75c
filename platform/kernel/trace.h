// The call trace a porter switches on with VANTREL_TRACE=user,gdi,... (or
// "all"): one line per Windows call the game makes, written when the call
// returns, with its arguments, what it returned and the error code it left,
// to standard error or VANTREL_TRACE_FILE.  And the once-per-process line of a call the platform
// does not support or accepts and ignores, written whether tracing is on or
// not, so that what a game relies on and does not get is never silent.
//
// An entry point opens with one line:
//     VTL_TRACE(user, "ShowWindow", hwnd, command);
//     VTL_TRACE(user, "PostMessageA", hwnd, trace::Message{message}, wParam, lParam);
// Arguments are formatted by type (handles, pointers, unsigned values such as
// DWORD flags, and LPARAM in hex; int in decimal; strings quoted); the
// wrappers below name what a type alone cannot (a message number, a rectangle
// through a pointer, a class name that may be an atom).  They are read when
// the call returns, so output parameters show what the call wrote, and a call
// made inside another (a window procedure's DefWindowProc inside
// CreateWindowEx) is written before it.
// Each return of a traced call hands its value through the tracer,
//     return vtlTraceCall_.result(hwnd);
// which shows it after the arguments (" -> 0x10001"); a call that returns
// nothing shows none.
// Off, a call costs one relaxed load and a branch: nothing is formatted.
#ifndef VANTREL_PLATFORM_KERNEL_TRACE_H
#define VANTREL_PLATFORM_KERNEL_TRACE_H

#include <vantrel/win32/types.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vtl::trace {

// One bit each.  "all" switches on every channel but frame: the calls a game
// makes every frame (PeekMessage, surface Lock/Unlock/Blt/Flip, sound buffer
// positions and locks, timeGetTime) would bury every other line, so they are
// traced only when frame is named.
enum class Channel : uint32_t {
    user = 1u << 0,
    gdi = 1u << 1,
    ddraw = 1u << 2,
    dsound = 1u << 3,
    winmm = 1u << 4,
    winsock = 1u << 5,
    kernel = 1u << 6,
    frame = 1u << 7,
};

// The channels switched on, plus kParsed once the environment was read: zero
// until the first call, which may come from a game's static initialiser, so it
// is a constant-initialised atomic rather than an object with a constructor.
extern std::atomic<uint32_t> gChannels;
constexpr uint32_t kParsed = 1u << 31;
uint32_t readEnvironment();

inline bool enabled(Channel channel)
{
    uint32_t on = gChannels.load(std::memory_order_relaxed);
    if (__builtin_expect(on == 0, 0))
        on = readEnvironment();
    return (on & static_cast<uint32_t>(channel)) != 0;
}

// What a type alone does not say.
struct Message { UINT value; };          // WM_PAINT, or the number
struct Rect { const RECT* value; };      // {l,t r x b} or null
struct Text { const char* value; size_t length; }; // counted, not terminated
struct Atom { LPCSTR value; };           // a class name or MAKEINTATOM number
struct Msg { const void* value; };       // a MSG: {hwnd, WM_..., wParam, lParam}
struct SockAddr { const void* value; };  // a sockaddr: 1.2.3.4:5 for AF_INET

void put(std::string& out, int value);
void put(std::string& out, unsigned value);
void put(std::string& out, long value);
void put(std::string& out, unsigned long value);
void put(std::string& out, long long value);
void put(std::string& out, unsigned long long value);
void put(std::string& out, const char* value);
void put(std::string& out, char* value);
void put(std::string& out, const void* value);
void put(std::string& out, bool value);
void put(std::string& out, double value);
void put(std::string& out, Message value);
void put(std::string& out, Rect value);
void put(std::string& out, Text value);
void put(std::string& out, Atom value);
void put(std::string& out, Msg value);
void put(std::string& out, SockAddr value);
inline void put(std::string& out, std::nullptr_t) { out += "0x0"; }
template <typename R, typename... A>
void put(std::string& out, R (*function)(A...))
{
    put(out, reinterpret_cast<const void*>(function));
}

inline void args(std::string&) {}
template <typename First, typename... Rest>
void args(std::string& out, const First& first, const Rest&... rest)
{
    put(out, first);
    if constexpr (sizeof...(rest) > 0) {
        out += ", ";
        args(out, rest...);
    }
}

// Writes one whole line (the newline added) in one write.
void writeLine(const std::string& line);

// The error-code bookkeeping of a traced call, out of line so the entry points
// stay small.
struct ErrorWatch {
    DWORD before;
    void start();
    // Appends " (error N)" when the call set an error, and puts back the
    // caller's code when it did not.
    void finish(std::string& line);
};

bool watchesErrors(Channel channel);

template <typename Format>
class Call {
public:
    Call(Channel channel, const char* name, Format format)
        : name_(name), format_(format), on_(enabled(channel))
    {
        if (__builtin_expect(on_, 0))
            start(channel);
    }
    ~Call()
    {
        if (__builtin_expect(on_, 0))
            write();
    }
    Call(const Call&) = delete;
    Call& operator=(const Call&) = delete;

    // The value the call returns, formatted at once (it may be a temporary
    // the call's own locals make) and handed back unchanged.
    template <typename R>
    R result(R value)
    {
        if (__builtin_expect(on_, 0))
            keepResult(value);
        return value;
    }

private:
    template <typename R>
    __attribute__((noinline, cold)) void keepResult(const R& value)
    {
        if (!result_)
            result_ = new std::string;
        result_->clear();
        put(*result_, value);
    }

    // Out of line and cold, so that a call with the trace off keeps only the
    // load and the branch in its body.
    __attribute__((noinline, cold)) void start(Channel channel)
    {
        channel_ = channel;
        errors_ = watchesErrors(channel);
        if (errors_)
            watch_.start();
    }
    __attribute__((noinline, cold)) void write();

    const char* name_;
    Format format_;
    bool on_;
    bool errors_ = false;
    Channel channel_ = Channel::user;
    ErrorWatch watch_{};
    // Made only while the trace is on (and freed by write), so that a call
    // with it off carries no string.
    std::string* result_ = nullptr;
};

const char* channelName(Channel channel);

template <typename Format>
void Call<Format>::write()
{
    std::string line = channelName(channel_);
    line += ": ";
    line += name_;
    line += '(';
    format_(line);
    line += ')';
    if (result_) {
        line += " -> ";
        line += *result_;
        delete result_;
        result_ = nullptr;
    }
    if (errors_)
        watch_.finish(line);
    writeLine(line);
}

// The once-per-process line of an unsupported or ignored call.  `what` is the
// short fixed remainder: "ignored", "fails", "returns 0".
void announceUnsupported(const char* name, const char* what);

} // namespace vtl::trace

#define VTL_TRACE(channel, name, ...)                                                                \
    ::vtl::trace::Call vtlTraceCall_(::vtl::trace::Channel::channel, name,                            \
                                     [&](std::string& vtlTraceOut) { ::vtl::trace::args(vtlTraceOut, __VA_ARGS__); })
#define VTL_TRACE0(channel, name)                                                                     \
    ::vtl::trace::Call vtlTraceCall_(::vtl::trace::Channel::channel, name, [](std::string&) {})

// Once per call site: the flag is a static of the site, so each call is named
// once however often the game makes it.
#define VTL_UNSUPPORTED(name, what)                                                                   \
    do {                                                                                             \
        static std::atomic<bool> vtlAnnounced_{false};                                               \
        if (!vtlAnnounced_.load(std::memory_order_relaxed) && !vtlAnnounced_.exchange(true))         \
            ::vtl::trace::announceUnsupported(name, what);                                           \
    } while (0)

#endif
