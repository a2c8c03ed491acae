#include "framework/ImgList.h"

#include "framework/ColorNames.h"

namespace fw {

namespace {
int g_liveLists = 0;
}

TImageList::TImageList(TComponent* owner, int width, int height) : TComponent(owner), width_(width), height_(height) {
    handle_ = ImageList_Create(width, height, ILC_COLORDDB | ILC_MASK, 0, 4);
    if (!handle_) throw Exception("Failed to create image list");
    ++g_liveLists;
}

TImageList::~TImageList() {
    if (handle_ && ImageList_Destroy(handle_)) --g_liveLists;
}

int TImageList::LiveHandles() { return g_liveLists; }

int TImageList::Count() const { return ImageList_GetImageCount(handle_); }

int TImageList::AddMasked(TBitmap* image, TColor maskColor) {
    if (!image || image->Empty()) throw Exception("Invalid image");
    COLORREF mask = ColorToRGB(maskColor == clDefault ? image->TransparentColor() : maskColor);
    // The system blackens the masked pixels of the source: work on a copy.
    HBITMAP copy = static_cast<HBITMAP>(CopyImage(image->Handle(), IMAGE_BITMAP, 0, 0, 0));
    if (!copy) throw Exception("Failed to add image");
    int index = ImageList_AddMasked(handle_, copy, mask);
    DeleteObject(copy);
    if (index < 0) throw Exception("Failed to add image");
    return index;
}

void TImageList::Draw(HDC dc, int x, int y, int index) const { ImageList_Draw(handle_, index, dc, x, y, ILD_NORMAL); }

}  // namespace fw
