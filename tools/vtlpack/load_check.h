// `vtlpack verify`'s load check: the library's own loaders run over an
// entry on each display depth, and when one refuses, why.
#ifndef VANTREL_TOOLS_VTLPACK_LOAD_CHECK_H
#define VANTREL_TOOLS_VTLPACK_LOAD_CHECK_H

#include <cstddef>
#include <string>
#include <vector>

class VTLHND;

namespace vtlpack {
struct LoaderVerdict {
    std::string loader;              // "a surface", "an RLE image", ...
    std::vector<unsigned> refusedAt; // display depths on which it is refused
    std::string reason;              // why (when refused), or a note (when loaded)
};

struct EntryVerdict {
    bool checked = false;            // false: the library does not load this ending by name
    std::vector<LoaderVerdict> loaders;
    // True when some depth has no loader that takes the entry: a game can
    // use it in no form there.
    bool unusable() const;
    // One line: "loads as a surface and an RLE image at 8, 16, 24 and 32
    // bits", then "; refused as ...: reason" for each refusal.
    std::string describe() const;
};

// Runs the loaders for `name`'s ending on the archive open in `handle`
// (whose pixel settings it changes).  `data` and `size` are the entry's
// bytes, for the reasons.  Sounds need the sound device: the first call
// starts it on the headless backend.
EntryVerdict checkEntry(VTLHND& handle, const std::string& name, const unsigned char* data, size_t size);

// True when `name`'s ending (any case) is one the library loads by name.
bool loadableEnding(const std::string& name);
} // namespace vtlpack

#endif
