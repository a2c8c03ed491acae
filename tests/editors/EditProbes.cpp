#include "tests/editors/EditProbes.h"

namespace editors_test {

int CountedViewData::alive = 0;
int CountedViewData::made = 0;

COLORREF WindowPixel(HWND wnd, int x, int y) {
    RECT r;
    GetWindowRect(wnd, &r);
    HDC screen = GetDC(nullptr);
    COLORREF c = GetPixel(screen, r.left + x, r.top + y);
    ReleaseDC(nullptr, screen);
    return c;
}

}  // namespace editors_test
