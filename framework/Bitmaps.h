// Bitmaps and the canvas to draw on them or on any device context.
#pragma once
#include <windows.h>
#include <string>

#include "framework/Graphics.h"

namespace fw {

// Drawing on a device context: the canvas's own (of a bitmap) or one handed to it.
class TCanvas : public TPersistent {
public:
    FW_CLASS(TCanvas)
    TCanvas() = default;
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    HDC Handle() const { return dc_; }
    void SetHandle(HDC dc);  // a context the caller keeps; null for none
    bool HandleAllocated() const { return dc_ != nullptr; }

    TColor BrushColor = clWhite;
    void FillRect(const RECT& r);  // with BrushColor
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor c);
    void Draw(int x, int y, class TBitmap* bitmap);

private:
    HDC dc_ = nullptr;
};

// A device-dependent bitmap of the screen's format, or one loaded from a bitmap resource
// (kept as loaded, 4 bits per pixel included). Owns its handle and its canvas's context.
class TBitmap : public TPersistent {
public:
    FW_CLASS(TBitmap)
    TBitmap() = default;
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    HBITMAP Handle() const { return handle_; }
    bool Empty() const { return handle_ == nullptr; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetSize(int width, int height);  // a new picture in the screen's format; 0 by 0 empties it
    // Raises Exception "Bitmap resource <name> not found" when there is none.
    void LoadFromResourceName(HINSTANCE instance, const std::string& name);
    TCanvas& Canvas();  // a memory context with the bitmap selected, made on first use
    // The colour that counts as transparent: the bottom-left pixel.
    TColor TransparentColor();
    // Takes the picture out of the bitmap: the caller owns the handle.
    HBITMAP ReleaseHandle();

private:
    void FreeCanvas();
    void SetHandle(HBITMAP h);
    HBITMAP handle_ = nullptr;
    int width_ = 0, height_ = 0;
    TCanvas* canvas_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
};

}  // namespace fw
