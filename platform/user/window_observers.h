// The message observers of platform/window_backend.h.
#ifndef VANTREL_PLATFORM_USER_WINDOW_OBSERVERS_H
#define VANTREL_PLATFORM_USER_WINDOW_OBSERVERS_H

#include <vantrel/win32/types.h>

namespace vtl {

void notifyWindowObservers(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace vtl

#endif
