#include "framework/Bitmaps.h"

#include "framework/ColorNames.h"

namespace fw {

TCanvas::~TCanvas() = default;

void TCanvas::SetHandle(HDC dc) { dc_ = dc; }

void TCanvas::FillRect(const RECT& r) {
    if (!dc_) return;
    HBRUSH b = CreateSolidBrush(ColorToRGB(BrushColor));
    ::FillRect(dc_, &r, b);
    DeleteObject(b);
}

TColor TCanvas::Pixel(int x, int y) const { return dc_ ? static_cast<TColor>(GetPixel(dc_, x, y)) : clNone; }

void TCanvas::SetPixel(int x, int y, TColor c) {
    if (dc_) ::SetPixel(dc_, x, y, ColorToRGB(c));
}

void TCanvas::Draw(int x, int y, TBitmap* bitmap) {
    if (!dc_ || !bitmap || bitmap->Empty()) return;
    HDC src = bitmap->Canvas().Handle();
    BitBlt(dc_, x, y, bitmap->Width(), bitmap->Height(), src, 0, 0, SRCCOPY);
}

TBitmap::~TBitmap() { SetHandle(nullptr); }

void TBitmap::FreeCanvas() {
    if (!canvas_) return;
    HDC dc = canvas_->Handle();
    if (dc) {
        SelectObject(dc, oldBitmap_);
        DeleteDC(dc);
    }
    delete canvas_;
    canvas_ = nullptr;
    oldBitmap_ = nullptr;
}

void TBitmap::SetHandle(HBITMAP h) {
    FreeCanvas();
    if (handle_) DeleteObject(handle_);
    handle_ = h;
    width_ = height_ = 0;
    BITMAP bm;
    if (h && GetObjectA(h, sizeof bm, &bm)) {
        width_ = bm.bmWidth;
        height_ = bm.bmHeight;
    }
}

void TBitmap::SetSize(int width, int height) {
    HBITMAP h = nullptr;
    if (width > 0 && height > 0) {
        HDC screen = GetDC(nullptr);
        h = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        if (!h) throw Exception("Out of system resources");
    }
    SetHandle(h);
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
    HANDLE h = LoadImageA(instance, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (!h) throw Exception(Format("Bitmap resource %s not found", name.c_str()));
    SetHandle(static_cast<HBITMAP>(h));
}

TCanvas& TBitmap::Canvas() {
    if (!canvas_) {
        canvas_ = new TCanvas;
        if (handle_) {
            HDC dc = CreateCompatibleDC(nullptr);
            oldBitmap_ = SelectObject(dc, handle_);
            canvas_->SetHandle(dc);
        }
    }
    return *canvas_;
}

TColor TBitmap::TransparentColor() {
    if (Empty()) return clDefault;
    return Canvas().Pixel(0, height_ - 1) & 0xFFFFFF;
}

HBITMAP TBitmap::ReleaseHandle() {
    FreeCanvas();
    HBITMAP h = handle_;
    handle_ = nullptr;
    width_ = height_ = 0;
    return h;
}

}  // namespace fw
