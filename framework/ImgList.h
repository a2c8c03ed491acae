// Image lists over the system's image lists: pictures of one size with a mask.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "framework/Bitmaps.h"

namespace fw {

class TImageList : public TComponent {
public:
    FW_CLASS(TImageList)
    explicit TImageList(TComponent* owner, int width = 16, int height = 16);
    ~TImageList() override;

    HIMAGELIST Handle() const { return handle_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const;
    // Adds the picture with the pixels of MaskColor transparent; clDefault takes the
    // bitmap's own transparent colour (its bottom-left pixel). Returns the new index.
    int AddMasked(TBitmap* image, TColor maskColor);
    void Draw(HDC dc, int x, int y, int index) const;

    // Image lists alive in the process (made and not yet destroyed), for leak checks.
    static int LiveHandles();

private:
    HIMAGELIST handle_ = nullptr;
    int width_, height_;
};

}  // namespace fw
