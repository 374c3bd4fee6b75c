// The one shape of the library's test hooks.  Each subsystem that lets tests
// reach its error paths names its calls in an `enum class Op { ..., Count }`
// and keeps one CallHooks for them; its <subsystem>_testing.h offers the same
// verbs in namespace vtl::testing::<subsystem>:
//   failNext(op, result, skip)  the next call of op after `skip` successful
//                               ones fails with `result`, once;
//   failAlways(op, result)      every call of op fails until reset();
//   record()                    starts a fresh log of the calls made;
//   calls(), countCalls(op)     what the log holds;
//   reset()                     no fault armed, no log.
// The subsystem's calls go through intercept().  While nothing is armed or
// recorded that costs one relaxed load.
#ifndef VANTREL_SEAM_CALL_HOOKS_H
#define VANTREL_SEAM_CALL_HOOKS_H

#include <vantrel/win32/types.h>

#include <atomic>
#include <cstddef>
#include <mutex>
#include <vector>

namespace vtl {
namespace testing {

template <typename Op>
struct Call {
    Op op;
    DWORD flags; // the flags argument of the call, where it has one
};

template <typename Op, typename Result>
class CallHooks {
public:
    void failNext(Op op, Result result, unsigned skip)
    {
        std::lock_guard<std::mutex> lock(lock_);
        faults_[index(op)] = Fault{true, false, skip, result};
        active_.store(true, std::memory_order_relaxed);
    }

    void failAlways(Op op, Result result)
    {
        std::lock_guard<std::mutex> lock(lock_);
        faults_[index(op)] = Fault{true, true, 0, result};
        active_.store(true, std::memory_order_relaxed);
    }

    void record()
    {
        std::lock_guard<std::mutex> lock(lock_);
        calls_.clear();
        recording_ = true;
        active_.store(true, std::memory_order_relaxed);
    }

    std::vector<Call<Op>> calls() const
    {
        std::lock_guard<std::mutex> lock(lock_);
        return calls_;
    }

    unsigned countCalls(Op op) const
    {
        std::lock_guard<std::mutex> lock(lock_);
        unsigned n = 0;
        for (const Call<Op>& c : calls_)
            n += c.op == op;
        return n;
    }

    void reset()
    {
        std::lock_guard<std::mutex> lock(lock_);
        for (Fault& f : faults_)
            f = Fault{};
        calls_.clear();
        recording_ = false;
        active_.store(false, std::memory_order_relaxed);
    }

    // A call of `op` is being made: logs it while recording, and returns true
    // with `*failure` set when a fault armed for it fires.
    bool intercept(Op op, DWORD flags, Result* failure)
    {
        if (!active_.load(std::memory_order_relaxed))
            return false;
        std::lock_guard<std::mutex> lock(lock_);
        if (recording_)
            calls_.push_back(Call<Op>{op, flags});
        Fault& f = faults_[index(op)];
        if (!f.armed)
            return false;
        if (!f.always && f.skip > 0) {
            --f.skip;
            return false;
        }
        // A fault that fires once is spent; the fast path comes back when
        // nothing else is armed or recorded.
        if (!f.always) {
            f.armed = false;
            refreshActive();
        }
        *failure = f.result;
        return true;
    }

private:
    struct Fault {
        bool armed = false;
        bool always = false;
        unsigned skip = 0;
        Result result{};
    };

    static constexpr size_t kOps = static_cast<size_t>(Op::Count);
    static size_t index(Op op) { return static_cast<size_t>(op); }

    void refreshActive()
    {
        bool active = recording_;
        for (const Fault& f : faults_)
            active = active || f.armed;
        active_.store(active, std::memory_order_relaxed);
    }

    mutable std::mutex lock_;
    std::atomic<bool> active_{false};
    bool recording_ = false;
    Fault faults_[kOps];
    std::vector<Call<Op>> calls_;
};

} // namespace testing
} // namespace vtl

#endif
