// JPEG pictures decode through libjpeg into the right pixels, on screen as in memory.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>
extern "C" {
#include <jpeglib.h>
}

#include "framework/JPEGImage.h"
#include "framework/SysUtils.h"

namespace {

// Encodes a picture whose left half is red and right half blue.
std::string EncodeTwoColourJpeg(int w, int h) {
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    c.image_width = static_cast<JDIMENSION>(w);
    c.image_height = static_cast<JDIMENSION>(h);
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 95, TRUE);
    jpeg_start_compress(&c, TRUE);
    std::vector<unsigned char> row(static_cast<size_t>(w) * 3);
    for (int x = 0; x < w; ++x) {
        bool left = x < w / 2;
        row[x * 3 + 0] = left ? 255 : 0;
        row[x * 3 + 1] = 0;
        row[x * 3 + 2] = left ? 0 : 255;
    }
    while (c.next_scanline < c.image_height) {
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    std::string bytes(reinterpret_cast<char*>(out), size);
    jpeg_destroy_compress(&c);
    free(out);
    return bytes;
}

bool Near(uint32_t rgb, int r, int g, int b) {
    return std::abs(int((rgb >> 16) & 255) - r) <= 12 && std::abs(int((rgb >> 8) & 255) - g) <= 12 &&
           std::abs(int(rgb & 255) - b) <= 12;
}

}  // namespace

TEST(JpegPicture, DecodesSizeAndPixelsAndDrawsThemInScreenOrder) {
    fw::TJPEGImage pic;
    pic.LoadFromBytes(EncodeTwoColourJpeg(64, 32));
    ASSERT_EQ(pic.Width(), 64);
    ASSERT_EQ(pic.Height(), 32);
    EXPECT_TRUE(Near(pic.Pixel(8, 16), 255, 0, 0)) << std::hex << pic.Pixel(8, 16);
    EXPECT_TRUE(Near(pic.Pixel(56, 16), 0, 0, 255)) << std::hex << pic.Pixel(56, 16);

    // Drawn into a device context the colours keep their places (no red/blue swap, no flip).
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, 64, 32);
    HGDIOBJ old = SelectObject(mem, target);
    RECT r = {0, 0, 64, 32};
    pic.Draw(mem, r);
    COLORREF left = GetPixel(mem, 8, 2), right = GetPixel(mem, 56, 30);
    SelectObject(mem, old);
    DeleteObject(target);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    EXPECT_GT(GetRValue(left), 230);
    EXPECT_LT(GetBValue(left), 25);
    EXPECT_GT(GetBValue(right), 230);
    EXPECT_LT(GetRValue(right), 25);
}

TEST(JpegPicture, BrokenStreamIsAnExceptionNotACrash) {
    fw::TJPEGImage pic;
    std::string good = EncodeTwoColourJpeg(16, 16);
    EXPECT_THROW(pic.LoadFromBytes(std::string()), fw::Exception);
    EXPECT_THROW(pic.LoadFromBytes("not a picture at all"), fw::Exception);
    // A stream cut in the middle of its data still decodes (libjpeg pads it) or fails
    // cleanly; it never reads past the buffer.
    try {
        pic.LoadFromBytes(good.substr(0, good.size() / 2));
    } catch (const fw::Exception&) {
    }
    EXPECT_THROW(pic.LoadFromBytes(good.substr(0, 20)), fw::Exception);
}
