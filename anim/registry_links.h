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

// The object's own links are left as they were.  An object in no list
// (both links null) is taken for the only one, and empties the list.
template <class T>
void unlink(T*& head, T* object)
{
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
