// The picture control: a bitmap or JPEG picture from the program's resources, drawn at
// its own size from the top-left corner or stretched over the control.
#pragma once
#include <memory>

#include "framework/Controls.h"
#include "framework/JPEGImage.h"

namespace fw {

class TPicture {
public:
    ~TPicture();
    // Loads a picture from bytes: a Windows bitmap file or a JPEG file.
    void LoadFromBytes(const std::string& bytes);
    void LoadFromResource(const std::string& name);
    int Width() const;
    int Height() const;
    bool Empty() const { return !jpeg_ && !bitmap_; }
    void Draw(HDC dc, const RECT& dest);

private:
    void Clear();
    std::unique_ptr<TJPEGImage> jpeg_;
    HBITMAP bitmap_ = nullptr;
    int width_ = 0, height_ = 0;
};

class TImage : public TGraphicControl {
public:
    FW_CLASS(TImage)
    explicit TImage(TComponent* owner);
    TPicture Picture;
    bool Stretch = false, Center = false, Transparent = false;
    void Paint(HDC dc) override;
    bool SetProperty(const std::string& name, const TPropValue& value) override;
};

}  // namespace fw
