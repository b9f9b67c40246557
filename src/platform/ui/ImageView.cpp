#include "ui/ImageView.h"

namespace ui {

std::shared_ptr<ImageView> ImageView::create(gfx::Image image, std::string imageName) {
    return std::shared_ptr<ImageView>(new ImageView(std::move(image), std::move(imageName)));
}

ImageView::ImageView(gfx::Image image, std::string imageName)
    : image_(std::move(image)), imageName_(std::move(imageName)) {
    setContentHuggingPriority(LayoutPriority::kDefaultLow + 1, LayoutAxis::Horizontal);
    setContentHuggingPriority(LayoutPriority::kDefaultLow + 1, LayoutAxis::Vertical);
}

void ImageView::setImage(gfx::Image image, std::string imageName) {
    gfx::Size previous = intrinsicContentSize();
    image_ = std::move(image);
    imageName_ = std::move(imageName);
    if (intrinsicContentSize() != previous) invalidateIntrinsicContentSize();
}

gfx::Size ImageView::intrinsicContentSize() const {
    if (image_.isNull()) return {kNoIntrinsicMetric, kNoIntrinsicMetric};
    return image_.size();
}

gfx::Size ImageView::sizeThatFits(gfx::Size) const { return image_.isNull() ? gfx::Size{} : image_.size(); }

void ImageView::draw(gfx::Painter& painter, const gfx::Rect& rect) {
    if (image_.isNull()) return;
    std::optional<gfx::Color> tint;
    if (image_.isTemplate()) tint = tintColor();
    painter.drawImage(image_, rect, contentMode_, tint);
}

}  // namespace ui
