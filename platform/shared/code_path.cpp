#include <vantrel/seam/code_path.h>
#include <vantrel/seam/code_path_testing.h>
#include <vantrel/seam/processor.h>

#include <atomic>

namespace vtl {
namespace {

CodePath fastest()
{
    static const CodePath path = [] {
        for (std::size_t p = kCodePathCount; p-- > 1;)
            if (processorRuns(kCodePaths[p]))
                return kCodePaths[p];
        return CodePath::Plain;
    }();
    return path;
}

// The path a test forced, or kNotForced.
constexpr int kNotForced = -1;
std::atomic<int> gForced{kNotForced};

} // namespace

const char* codePathName(CodePath path)
{
    switch (path) {
    case CodePath::Plain: return "plain";
    case CodePath::Sse2: return "sse2";
    case CodePath::Ssse3: return "ssse3";
    case CodePath::Avx2: return "avx2";
    case CodePath::Simd128: return "simd128";
    }
    return "?";
}

bool processorRuns(CodePath path)
{
    switch (path) {
    case CodePath::Plain: return true;
    case CodePath::Sse2: return processorHas(VectorSet::Sse2);
    case CodePath::Ssse3: return processorHas(VectorSet::Ssse3);
    case CodePath::Avx2: return processorHas(VectorSet::Avx2);
    case CodePath::Simd128: return processorHas(VectorSet::Simd128);
    }
    return false;
}

CodePath activeCodePath()
{
    const int forced = gForced.load(std::memory_order_relaxed);
    return forced == kNotForced ? fastest() : static_cast<CodePath>(forced);
}

namespace testing::codepath {

bool force(CodePath path)
{
    if (!processorRuns(path))
        return false;
    gForced.store(static_cast<int>(path), std::memory_order_relaxed);
    return true;
}

void reset() { gForced.store(kNotForced, std::memory_order_relaxed); }

} // namespace testing::codepath

} // namespace vtl
