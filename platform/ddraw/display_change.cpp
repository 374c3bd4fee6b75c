// The display device's listeners (<vantrel/seam/display_change.h>).  Mode
// changes happen on the game's thread, as do registrations, so the list is
// unguarded; a listener may add or remove listeners while it is told.
#include <vantrel/seam/display_change.h>

#include <vector>

namespace {

struct Listener {
    int id;
    vtl::DisplayChangeListener call;
    void* user;
};

std::vector<Listener>& listeners()
{
    static auto* list = new std::vector<Listener>; // never destroyed: modes may change during exit
    return *list;
}

int gNextId = 0;

} // namespace

int vtl::listenToDisplayChanges(DisplayChangeListener listener, void* user)
{
    if (!listener)
        return 0;
    listeners().push_back(Listener{++gNextId, listener, user});
    return gNextId;
}

void vtl::stopListeningToDisplayChanges(int id)
{
    auto& list = listeners();
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (it->id == id) {
            list.erase(it);
            return;
        }
    }
}

void vtl::notifyDisplayChange(unsigned bitsPerPixel, int width, int height)
{
    // A copy: a listener may change the list while it is told.
    const std::vector<Listener> now = listeners();
    for (const Listener& l : now)
        l.call(bitsPerPixel, width, height, l.user);
}
