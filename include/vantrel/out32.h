// Out-parameters that receive a 32-bit value.
//
// On Windows DWORD and unsigned long are one type, and so are LONG and long,
// so the games written for this interface pass either spelling where a
// function stores a 32-bit value.  On 64-bit Linux they are different types
// of different sizes.  Every function of the library whose parameter points
// at a 32-bit value therefore keeps its own spelling and has an overload
// taking these instead, which accept either pointer (or null) and store the
// value's 32 bits of meaning in it: zero-extended into an unsigned long,
// sign-extended into a long.  On Windows the two spellings are one type
// and the class takes just that pointer.
//
//   DWORD from;          udp.recv(&from, buffer, &size, sizeof buffer);
//   unsigned long cx;    GetCenter(0, &cx, nullptr);
#ifndef VANTREL_OUT32_H
#define VANTREL_OUT32_H

#include <vantrel/win32/types.h>

#include <cstddef>
#include <type_traits>

// Where a function stores a Value32 (DWORD or LONG): the caller's Value32 or
// Wide (unsigned long or long), or nowhere.
template <class Value32, class Wide>
class VTLOut32 {
    static_assert(sizeof(Value32) == 4, "a 32-bit value");

public:
    VTLOut32(std::nullptr_t) {}
    // Any other pointer type does not convert: a value must not land in a
    // variable of another meaning (or a narrower one).
    template <class T, typename std::enable_if<std::is_same<T, Value32>::value || std::is_same<T, Wide>::value,
                                               int>::type = 0>
    VTLOut32(T* target)
    {
        point(target);
    }

    // False when the caller passed null: nothing is stored.
    explicit operator bool() const { return narrow_ || wide_; }
    void store(Value32 value) const
    {
        if (narrow_)
            *narrow_ = value;
        else if (wide_)
            *wide_ = value;
    }

private:
    void point(Value32* target) { narrow_ = target; }
    template <class T, typename std::enable_if<!std::is_same<T, Value32>::value, int>::type = 0>
    void point(T* target)
    {
        wide_ = target;
    }

    Value32* narrow_ = nullptr;
    Wide* wide_ = nullptr;
};

typedef VTLOut32<DWORD, unsigned long> VTLDwordOut; // DWORD* or unsigned long*
typedef VTLOut32<LONG, long> VTLLongOut;            // LONG* or long*

#endif
