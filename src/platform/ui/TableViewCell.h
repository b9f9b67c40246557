#pragma once

#include <memory>
#include <string>

#include "ui/Label.h"
#include "ui/TableViewCellAppearance.h"
#include "ui/View.h"

namespace ui {

enum class TableViewCellStyle {
    Default,   // one text label
    Subtitle,  // a text label over a smaller detail label
};

enum class TableViewCellSelectionStyle { None, Default };

// One row of a table. The cell's own content goes into `contentView`, which fills the cell
// (less the accessory view's column, when there is one). The labels of the style are made
// on first use, so a cell that draws its own content carries none.
//
// Selection: while the cell is selected or highlighted and its selection style is not None,
// `selectedBackgroundView` shows behind everything else. A new cell takes that view from the
// process-wide `appearance()`, else a plain grey view.
//
// A table hands a cell out again after `prepareForReuse`; subclasses clear their row-specific
// content there, after calling this class's version.
class TableViewCell : public View {
public:
    static constexpr gfx::Size kDefaultSize{320, 44};
    static constexpr double kHorizontalMargin = 16;

    static std::shared_ptr<TableViewCell> create(TableViewCellStyle style = TableViewCellStyle::Default,
                                                 std::string reuseIdentifier = {});
    static TableViewCellAppearance& appearance();

    const char* className() const override { return "TableViewCell"; }

    TableViewCellStyle style() const { return style_; }
    const std::string& reuseIdentifier() const { return reuseIdentifier_; }
    const std::shared_ptr<View>& contentView() const { return contentView_; }
    std::shared_ptr<Label> textLabel();
    // Null in the default style, which has no detail line.
    std::shared_ptr<Label> detailTextLabel();

    TableViewCellSelectionStyle selectionStyle() const { return selectionStyle_; }
    void setSelectionStyle(TableViewCellSelectionStyle style);
    const std::shared_ptr<View>& selectedBackgroundView() const { return selectedBackgroundView_; }
    void setSelectedBackgroundView(std::shared_ptr<View> view);
    const std::shared_ptr<View>& accessoryView() const { return accessoryView_; }
    void setAccessoryView(std::shared_ptr<View> view);

    bool isSelected() const { return selected_; }
    void setSelected(bool selected, bool animated = false);
    bool isHighlighted() const { return highlighted_; }
    void setHighlighted(bool highlighted, bool animated = false);

    // Leaves the cell unselected and unhighlighted.
    virtual void prepareForReuse();

    void layoutSubviews() override;

protected:
    TableViewCell(TableViewCellStyle style, std::string reuseIdentifier);

    // Every factory of a cell class goes through this: it builds the content view and the
    // selected background, which need the cell to be owned already.
    template <class Cell>
    static std::shared_ptr<Cell> adopt(Cell* cell) {
        std::shared_ptr<Cell> owned(cell);
        owned->setUpCell();
        return owned;
    }

private:
    void setUpCell();
    std::shared_ptr<Label> makeLabel(double pointSize, const gfx::Color& color);
    void updateSelectedBackground();
    gfx::Rect contentFrame() const;
    void layoutLabels();

    TableViewCellStyle style_;
    std::string reuseIdentifier_;
    TableViewCellSelectionStyle selectionStyle_ = TableViewCellSelectionStyle::Default;
    bool selected_ = false;
    bool highlighted_ = false;
    std::shared_ptr<View> contentView_;
    std::shared_ptr<Label> textLabel_;
    std::shared_ptr<Label> detailTextLabel_;
    std::shared_ptr<View> selectedBackgroundView_;
    std::shared_ptr<View> accessoryView_;
};

}  // namespace ui
