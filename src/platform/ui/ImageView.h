#pragma once

#include <string>

#include "gfx/Image.h"
#include "gfx/Painter.h"
#include "ui/View.h"

namespace ui {

// Shows an image in its bounds by its content mode; a template image (a system symbol) is drawn
// in the view's tint colour. Its intrinsic size is the image's size in points. Images carry no
// name of their own: the name given with setImage is what tree dumps show.
class ImageView : public View {
public:
    static std::shared_ptr<ImageView> create(gfx::Image image = {}, std::string imageName = {});

    const char* className() const override { return "ImageView"; }

    const gfx::Image& image() const { return image_; }
    const std::string& imageName() const { return imageName_; }
    void setImage(gfx::Image image, std::string imageName = {});
    gfx::ContentMode contentMode() const { return contentMode_; }
    void setContentMode(gfx::ContentMode mode) { contentMode_ = mode; }

    gfx::Size intrinsicContentSize() const override;
    gfx::Size sizeThatFits(gfx::Size size) const override;
    void draw(gfx::Painter& painter, const gfx::Rect& rect) override;
    bool hasContent() const override { return !image_.isNull(); }

protected:
    ImageView(gfx::Image image, std::string imageName);

private:
    gfx::Image image_;
    std::string imageName_;
    gfx::ContentMode contentMode_ = gfx::ContentMode::ScaleToFill;
};

}  // namespace ui
