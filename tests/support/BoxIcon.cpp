// The icon handle a box's static control holds belongs to the box's process: it tells
// whether there is an icon, but it can be neither drawn nor compared with this process's
// handles. What can be read is the screen, so the control is captured again and again
// until the picture is exactly one of the standard icons drawn on the same background. A
// box that has not painted yet, or is half painted, matches none of them, so the answer
// does not depend on when it paints.
#include "tests/support/BoxIcon.h"
#include "tests/support/Waits.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace harness {

namespace {

using Picture = std::vector<RGBQUAD>;

// Channel differences up to this much are rounding in the drawing, not another icon.
const int kTolerance = 2;

Picture PictureOf(HDC dc, HBITMAP bmp, int size) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = size;
    bi.bmiHeader.biHeight = -size;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    Picture p(static_cast<size_t>(size) * size);
    GetDIBits(dc, bmp, 0, size, p.data(), &bi, DIB_RGB_COLORS);
    return p;
}

// Draws into a fresh bitmap of size x size and returns its pixels.
template <class Paint>
Picture Render(int size, Paint paint) {
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ old = SelectObject(mem, bmp);
    paint(mem, screen);
    SelectObject(mem, old);
    Picture p = PictureOf(mem, bmp, size);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return p;
}

Picture Capture(const RECT& onScreen, int size) {
    return Render(size, [&](HDC mem, HDC screen) {
        BitBlt(mem, 0, 0, size, size, screen, onScreen.left, onScreen.top, SRCCOPY);
    });
}

Picture Drawn(LPCSTR id, const RGBQUAD& background, int size) {
    return Render(size, [&](HDC mem, HDC) {
        HBRUSH brush = CreateSolidBrush(RGB(background.rgbRed, background.rgbGreen, background.rgbBlue));
        RECT all = {0, 0, size, size};
        FillRect(mem, &all, brush);
        DeleteObject(brush);
        DrawIconEx(mem, 0, 0, LoadIconA(nullptr, id), size, size, 0, nullptr, DI_NORMAL);
    });
}

bool Same(const Picture& a, const Picture& b) {
    for (size_t i = 0; i < a.size(); ++i)
        if (std::abs(a[i].rgbRed - b[i].rgbRed) > kTolerance || std::abs(a[i].rgbGreen - b[i].rgbGreen) > kTolerance ||
            std::abs(a[i].rgbBlue - b[i].rgbBlue) > kTolerance)
            return false;
    return true;
}

HWND IconControlOf(HWND box) {
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[16];
        GetClassNameA(c, cls, sizeof cls);
        if (std::string(cls) == "Static" && (GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
            IsWindowVisible(c))
            return c;
    }
    return nullptr;
}

}  // namespace

BoxIcon ReadBoxIcon(HWND box, DWORD timeoutMs, const char* file, int line) {
    HWND control = IconControlOf(box);
    DWORD_PTR held = 0;
    if (!control || !SendMessageTimeoutA(control, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 5000, &held) || !held)
        return BoxIcon::None;
    const struct { BoxIcon kind; LPCSTR id; } standard[] = {
        {BoxIcon::Hand, IDI_HAND}, {BoxIcon::Question, IDI_QUESTION},
        {BoxIcon::Exclamation, IDI_EXCLAMATION}, {BoxIcon::Information, IDI_ASTERISK}};
    const int size = GetSystemMetrics(SM_CXICON);
    BoxIcon seen = BoxIcon::Unknown;
    auto painted = [&] {
        if (!IsWindow(box)) return true;  // nothing more to wait for
        RECT r = {};
        GetClientRect(control, &r);
        MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&r), 2);
        Picture shot = Capture(r, size);
        // The icons leave their corners clear: the corner shows the control's background.
        for (const auto& s : standard)
            if (Same(shot, Drawn(s.id, shot[0], size))) return seen = s.kind, true;
        return false;
    };
    WaitUntil(painted, timeoutMs, "a standard icon painted in the box", WaitMode::Sleep, file, line);
    return seen;
}

void PrintTo(BoxIcon icon, std::ostream* out) {
    static const char* const names[] = {"None", "Hand", "Question", "Exclamation", "Information", "Unknown"};
    *out << names[static_cast<int>(icon)];
}

}  // namespace harness
