// The order lstrcmpA and lstrcmpiA sort Windows-1252 text in: Windows NT's
// word sort for the default (English) locale.
//
// Strings are compared level by level over their whole length, the way a
// sort key is: first the letters, digits and symbols (punctuation and
// symbols before digits, digits before letters, letters alphabetical
// whatever their case and accents); only if those are all equal the accents
// (none before any); then the case (lower before upper, first difference
// decides); then the apostrophes and hyphens, which the word sort passes
// over in the earlier levels so that "coop" and "co-op" sort together.
#ifndef VANTREL_PLATFORM_KERNEL_WORD_SORT_H
#define VANTREL_PLATFORM_KERNEL_WORD_SORT_H

namespace vtl {

// Negative, 0 or positive.  `ignoreCase` leaves out the case level.  Null
// sorts before every string, "" included.
int compareWords(const char* a, const char* b, bool ignoreCase);

} // namespace vtl

#endif
