#include "framework/JPEGImage.h"
#include "framework/SysUtils.h"

#include <csetjmp>
#include <cstdio>
extern "C" {
#include <jpeglib.h>
}

namespace fw {

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    longjmp(err->jump, 1);
}

void OnMessage(j_common_ptr) {}  // warnings are not shown anywhere

// Decodes into rgb; returns false with the library's message on a broken stream. Kept free
// of objects with destructors between setjmp and longjmp.
bool Decode(const unsigned char* data, unsigned long size, std::vector<uint8_t>& rgb,
            int& width, int& height, char* message) {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = OnError;
    err.pub.output_message = OnMessage;
    err.message[0] = 0;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", err.message);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, const_cast<unsigned char*>(data), size);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    width = static_cast<int>(cinfo.output_width);
    height = static_cast<int>(cinfo.output_height);
    rgb.resize(static_cast<size_t>(width) * height * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = &rgb[static_cast<size_t>(cinfo.output_scanline) * width * 3];
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

}  // namespace

TJPEGImage::~TJPEGImage() {
    if (bitmap_) DeleteObject(bitmap_);
}

void TJPEGImage::LoadFromBytes(const std::string& bytes) {
    if (bitmap_) {
        DeleteObject(bitmap_);
        bitmap_ = nullptr;
    }
    width_ = height_ = 0;
    rgb_.clear();
    if (bytes.empty()) throw Exception("JPEG error #1: empty picture");
    char message[JMSG_LENGTH_MAX];
    std::vector<uint8_t> rgb;
    int w = 0, h = 0;
    if (!Decode(reinterpret_cast<const unsigned char*>(bytes.data()),
                static_cast<unsigned long>(bytes.size()), rgb, w, h, message))
        throw Exception(Format("JPEG error: %s", message));
    rgb_.swap(rgb);
    width_ = w;
    height_ = h;
}

uint32_t TJPEGImage::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    const uint8_t* p = &rgb_[(static_cast<size_t>(y) * width_ + x) * 3];
    return (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
}

HBITMAP TJPEGImage::Bitmap() {
    if (bitmap_ || width_ == 0) return bitmap_;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width_;
    bi.bmiHeader.biHeight = -height_;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap_) return nullptr;
    const size_t stride = (static_cast<size_t>(width_) * 3 + 3) & ~size_t(3);
    auto* out = static_cast<uint8_t*>(bits);
    for (int y = 0; y < height_; ++y) {
        const uint8_t* src = &rgb_[static_cast<size_t>(y) * width_ * 3];
        uint8_t* dst = out + y * stride;
        for (int x = 0; x < width_; ++x) {
            dst[x * 3 + 0] = src[x * 3 + 2];
            dst[x * 3 + 1] = src[x * 3 + 1];
            dst[x * 3 + 2] = src[x * 3 + 0];
        }
    }
    return bitmap_;
}

void TJPEGImage::Draw(HDC dc, const RECT& dest) {
    HBITMAP bmp = Bitmap();
    if (!bmp) return;
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, bmp);
    int dw = dest.right - dest.left, dh = dest.bottom - dest.top;
    if (dw == width_ && dh == height_) {
        BitBlt(dc, dest.left, dest.top, dw, dh, mem, 0, 0, SRCCOPY);
    } else {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, dest.left, dest.top, dw, dh, mem, 0, 0, width_, height_, SRCCOPY);
    }
    SelectObject(mem, old);
    DeleteDC(mem);
}

}  // namespace fw
