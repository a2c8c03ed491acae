#include "framework/ExtCtrls.h"
#include "framework/FormDescription.h"

#include <cstring>

namespace fw {

TPicture::~TPicture() { Clear(); }

void TPicture::Clear() {
    jpeg_.reset();
    if (bitmap_) DeleteObject(bitmap_);
    bitmap_ = nullptr;
    width_ = height_ = 0;
}

void TPicture::LoadFromBytes(const std::string& bytes) {
    Clear();
    if (bytes.size() > 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xD8) {
        auto jpeg = std::make_unique<TJPEGImage>();
        jpeg->LoadFromBytes(bytes);
        width_ = jpeg->Width();
        height_ = jpeg->Height();
        jpeg_ = std::move(jpeg);
        return;
    }
    if (bytes.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) || bytes[0] != 'B' || bytes[1] != 'M')
        throw Exception("Bitmap image is not valid");
    BITMAPFILEHEADER fh;
    BITMAPINFOHEADER ih;
    std::memcpy(&fh, bytes.data(), sizeof fh);
    std::memcpy(&ih, bytes.data() + sizeof fh, sizeof ih);
    if (ih.biSize < sizeof ih || fh.bfOffBits >= bytes.size() || ih.biWidth <= 0 || ih.biHeight == 0 ||
        (ih.biBitCount != 24 && ih.biBitCount != 32) || ih.biCompression != BI_RGB)
        throw Exception("Bitmap image is not valid");
    const long long rows = ih.biHeight < 0 ? -static_cast<long long>(ih.biHeight) : ih.biHeight;
    const long long stride = ((static_cast<long long>(ih.biWidth) * ih.biBitCount + 31) / 32) * 4;
    if (fh.bfOffBits + stride * rows > static_cast<long long>(bytes.size())) throw Exception("Bitmap image is not valid");
    const auto* info = reinterpret_cast<const BITMAPINFO*>(bytes.data() + sizeof fh);
    HDC screen = GetDC(nullptr);
    bitmap_ = CreateDIBitmap(screen, &ih, CBM_INIT, bytes.data() + fh.bfOffBits, info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (!bitmap_) throw Exception("Bitmap image is not valid");
    width_ = ih.biWidth;
    height_ = static_cast<int>(rows);
}

void TPicture::LoadFromResource(const std::string& name) {
    std::string bytes = LoadRcData(name);
    if (bytes.empty()) throw EReadError("Picture resource " + name + " not found");
    LoadFromBytes(bytes);
}

int TPicture::Width() const { return width_; }
int TPicture::Height() const { return height_; }

void TPicture::Draw(HDC dc, const RECT& dest) {
    if (jpeg_) {
        jpeg_->Draw(dc, dest);
        return;
    }
    if (!bitmap_) return;
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, bitmap_);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, mem, 0, 0, width_, height_, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 105, 105); }

void TImage::Paint(HDC dc) {
    if (Picture.Empty()) return;
    RECT r;
    if (Stretch) {
        r = RECT{0, 0, width_, height_};
    } else if (Center) {
        int x = (width_ - Picture.Width()) / 2, y = (height_ - Picture.Height()) / 2;
        r = RECT{x, y, x + Picture.Width(), y + Picture.Height()};
    } else {
        r = RECT{0, 0, Picture.Width(), Picture.Height()};
    }
    Picture.Draw(dc, r);
}

bool TImage::SetProperty(const std::string& name, const TPropValue& v) {
    if (name == "Picture") {
        if (v.kind != TPropValue::Resource) throw EReadError(Format("Picture resource expected (line %d)", v.line));
        Picture.LoadFromResource(v.s);
        Invalidate();
    } else if (name == "Stretch") {
        Stretch = v.AsBool();
    } else if (name == "Center") {
        Center = v.AsBool();
    } else if (name == "Transparent") {
        Transparent = v.AsBool();
    } else {
        return TGraphicControl::SetProperty(name, v);
    }
    return true;
}

}  // namespace fw
