// gfxEnd: every registered alpha map, surface and RLE image is released and
// those lists emptied, then the display.  Animation sets, sounds and streams
// belong to the game, which releases them through VTLHND::release.
#include <vantrel/alphafx.h>
#include <vantrel/bitplanefx.h>
#include <vantrel/rlefx.h>
#include <vantrel/vtlhnd.h>

namespace {
template <typename T>
void releaseAll(T*& head)
{
    for (T* item = head; item;) {
        T* older = item->next; // read first: release leaves the links alone, but be safe
        item->release();
        item = older;
    }
    head = nullptr;
}
} // namespace

void VTLHND::gfxEnd()
{
    releaseAll(alphaList);
    releaseAll(surfaceList);
    releaseAll(rleList);
    DDDisable(true);
}
