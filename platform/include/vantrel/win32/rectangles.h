// The rectangle helpers of the window system.  A rectangle holds the points
// left <= x < right, top <= y < bottom; it is empty when it holds none.
// Every call given a null rectangle returns FALSE (IsRectEmpty: TRUE).
#ifndef VANTREL_WIN32_RECTANGLES_H
#define VANTREL_WIN32_RECTANGLES_H

#include <vantrel/win32/types.h>

VANTREL_API BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom);
VANTREL_API BOOL SetRectEmpty(LPRECT rect);
VANTREL_API BOOL CopyRect(LPRECT destination, const RECT* source);
VANTREL_API BOOL OffsetRect(LPRECT rect, int dx, int dy);
VANTREL_API BOOL InflateRect(LPRECT rect, int dx, int dy);
// The common part, or an empty rectangle and FALSE when there is none.
VANTREL_API BOOL IntersectRect(LPRECT destination, const RECT* a, const RECT* b);
// The smallest rectangle holding both (an empty one counts for nothing);
// FALSE when both are empty.
VANTREL_API BOOL UnionRect(LPRECT destination, const RECT* a, const RECT* b);
// `a` less `b` where what is left is still a rectangle (b covers a whole
// side of a), else `a`; FALSE when nothing is left.
VANTREL_API BOOL SubtractRect(LPRECT destination, const RECT* a, const RECT* b);
VANTREL_API BOOL PtInRect(const RECT* rect, POINT point);
VANTREL_API BOOL EqualRect(const RECT* a, const RECT* b);
VANTREL_API BOOL IsRectEmpty(const RECT* rect);

#endif
