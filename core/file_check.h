// A file reader's verdict: the file is accepted, or the first rule it breaks
// with the numbers that show how.  The loaders only need to know whether to
// refuse; the numbers are for a person fixing the file (vtlpack verify).
#ifndef VANTREL_CORE_FILE_CHECK_H
#define VANTREL_CORE_FILE_CHECK_H

#include <cstdint>

namespace vtl {
// `Refusal` is a format's enum class of rules, whose first member Ok means
// none is broken.  What the three numbers hold is said beside each rule.
template <typename Refusal>
struct FileCheck {
    Refusal code = Refusal::Ok;
    int64_t field = 0; // where in the file: a row, a frame, an entry (rules met more than once)
    int64_t value = 0; // what the file holds there
    int64_t limit = 0; // what the rule allows, or needs

    bool ok() const { return code == Refusal::Ok; }
};

template <typename Refusal>
FileCheck<Refusal> refuse(Refusal code, int64_t value = 0, int64_t limit = 0, int64_t field = 0)
{
    return {code, field, value, limit};
}
} // namespace vtl

#endif
