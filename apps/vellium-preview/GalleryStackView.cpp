#include "GalleryStackView.h"

#include <algorithm>

#include "ui/Label.h"

std::shared_ptr<GalleryStackView> GalleryStackView::create() {
    auto view = std::shared_ptr<GalleryStackView>(new GalleryStackView());
    view->setBackgroundColor(gfx::Color::systemBackground());
    view->setAlwaysBounceVertical(true);
    return view;
}

void GalleryStackView::addRow(const std::string& caption, const std::shared_ptr<ui::View>& view) {
    auto label = ui::Label::create(caption);
    label->setTextColor(gfx::Color::label());
    addSubview(label);
    addSubview(view);
    rows_.push_back({label, view, 0});
    setNeedsLayout();
}

void GalleryStackView::addFullWidthRow(const std::shared_ptr<ui::View>& view, double height) {
    addSubview(view);
    rows_.push_back({nullptr, view, height});
    setNeedsLayout();
}

double GalleryStackView::heightOf(const Row& row) {
    double intrinsic = row.view->intrinsicContentSize().height;
    double height = row.height > 0 ? row.height : std::max(intrinsic, 0.0);
    if (row.caption) height = std::max(height, row.caption->intrinsicContentSize().height);
    return height > 0 ? height : 44;
}

void GalleryStackView::layoutSubviews() {
    ui::ScrollView::layoutSubviews();
    double width = bounds().width - 2 * kMargin;
    double y = kMargin;
    for (const Row& row : rows_) {
        double height = heightOf(row);
        if (row.caption) {
            gfx::Size size = row.view->intrinsicContentSize();
            double viewWidth = size.width > 0 ? std::min(size.width, width) : width / 2;
            double viewHeight = size.height > 0 ? size.height : height;
            row.view->setFrame(
                {kMargin + width - viewWidth, y + (height - viewHeight) / 2, viewWidth, viewHeight});
            row.caption->setFrame({kMargin, y, width - viewWidth - 8, height});
        } else {
            row.view->setFrame({kMargin, y, width, height});
        }
        y += height + kSpacing;
    }
    gfx::Size content{bounds().width, y};
    if (content != contentSize()) setContentSize(content);
}
