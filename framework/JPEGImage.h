// JPEG pictures: decoded with libjpeg into a 24-bit device-independent bitmap that the
// picture controls draw.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

namespace fw {

class TJPEGImage {
public:
    TJPEGImage() = default;
    ~TJPEGImage();
    TJPEGImage(const TJPEGImage&) = delete;
    TJPEGImage& operator=(const TJPEGImage&) = delete;

    // Decodes a whole JPEG file held in memory; raises Exception on a broken stream.
    void LoadFromBytes(const std::string& bytes);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Pixel at (x, y) from the top-left corner as 0x00RRGGBB.
    uint32_t Pixel(int x, int y) const;
    // A bitmap of the decoded picture, made on first use and owned by the picture.
    HBITMAP Bitmap();
    void Draw(HDC dc, const RECT& dest);

private:
    int width_ = 0, height_ = 0;
    std::vector<uint8_t> rgb_;  // top-down rows of R, G, B
    HBITMAP bitmap_ = nullptr;
};

}  // namespace fw
