#pragma once

#include <memory>
#include <vector>

#include "ui/ScrollView.h"

namespace ui {
class Label;
}

// A gallery page's body: a scrolling column of rows, each a caption with its control at the
// trailing edge, or one full-width view. Rows take their height from the view's intrinsic
// height (or the height its frame was given) and the content size follows the column.
class GalleryStackView : public ui::ScrollView {
public:
    static constexpr double kMargin = 16;
    static constexpr double kSpacing = 14;

    static std::shared_ptr<GalleryStackView> create();

    // A caption on the leading side and `view` at its intrinsic size on the trailing side.
    void addRow(const std::string& caption, const std::shared_ptr<ui::View>& view);
    // `view` across the whole width; `height` when it has no intrinsic height.
    void addFullWidthRow(const std::shared_ptr<ui::View>& view, double height = 0);

protected:
    GalleryStackView() = default;
    void layoutSubviews() override;

private:
    struct Row {
        std::shared_ptr<ui::Label> caption;
        std::shared_ptr<ui::View> view;
        double height = 0;
    };
    static double heightOf(const Row& row);
    std::vector<Row> rows_;
};
