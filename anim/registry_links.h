// The registry's intrusive lists: newest first, `next` toward older objects.
// The handle's registry (display/) links every resource with these, and an
// animation set links the frame images it decodes into its owner's RLE list;
// they live here, in the lower of the two folders, so that neither reaches up.
#ifndef VANTREL_ANIM_REGISTRY_LINKS_H
#define VANTREL_ANIM_REGISTRY_LINKS_H

namespace vtl {
template <class T>
void linkAtHead(T*& head, T* object)
{
    object->next = head;
    if (head)
        head->prev = object;
    object->prev = nullptr;
    head = object;
}

// Is `object` on the list that starts at `head`?  Only the list's own links
// are followed: an object that was never linked (a failed create, a buffer on
// the stack) may hold anything in its links.
template <class T>
bool isLinked(T* head, const T* object)
{
    for (T* at = head; at; at = at->next)
        if (at == object)
            return true;
    return false;
}

// The object's own links are left as they were.  An object that is not on
// the list leaves the list alone.
template <class T>
void unlink(T*& head, T* object)
{
    if (!isLinked(head, object))
        return;
    if (object->next && object->prev) {
        object->prev->next = object->next;
        object->next->prev = object->prev;
    } else if (object->next) {
        head = object->next;
        object->next->prev = nullptr;
    } else if (object->prev) {
        object->prev->next = nullptr;
    } else {
        head = nullptr;
    }
}

// The object's own release, then unlinking; a failed release leaves it linked.
template <class T>
bool releaseAndUnlink(T*& head, T* object)
{
    if (!object || !object->release())
        return false;
    unlink(head, object);
    return true;
}
} // namespace vtl

#endif
