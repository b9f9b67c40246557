#include "ui/TableViewCell.h"

#include <algorithm>

namespace ui {

namespace {

constexpr double kTextPointSize = 17;
constexpr double kDetailPointSize = 12;

// The grey behind a selected cell when neither the cell nor the appearance names a view.
std::shared_ptr<View> makeDefaultSelectedBackground() {
    auto view = View::create();
    view->setBackgroundColor(gfx::Color::dynamic(gfx::Color(209 / 255.0, 209 / 255.0, 214 / 255.0),
                                                 gfx::Color(58 / 255.0, 58 / 255.0, 60 / 255.0)));
    return view;
}

}  // namespace

std::shared_ptr<TableViewCell> TableViewCell::create(TableViewCellStyle style, std::string reuseIdentifier) {
    return adopt(new TableViewCell(style, std::move(reuseIdentifier)));
}

TableViewCellAppearance& TableViewCell::appearance() {
    static TableViewCellAppearance shared;
    return shared;
}

TableViewCell::TableViewCell(TableViewCellStyle style, std::string reuseIdentifier)
    : style_(style), reuseIdentifier_(std::move(reuseIdentifier)) {
    // A cell's constraints stay in its own solver while the table scrolls it, takes it out for
    // reuse and puts it back.
    setLayoutIsland(true);
    setFrame({{0, 0}, kDefaultSize});
    setBackgroundColor(gfx::Color::systemBackground());
}

void TableViewCell::setUpCell() {
    contentView_ = View::create();
    contentView_->setFrame(bounds());
    contentView_->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
    addSubview(contentView_);
    auto background = appearance().makeSelectedBackgroundView();
    setSelectedBackgroundView(background ? background : makeDefaultSelectedBackground());
}

std::shared_ptr<Label> TableViewCell::makeLabel(double pointSize, const gfx::Color& color) {
    auto label = Label::create();
    label->setFont(gfx::Font::system(pointSize));
    label->setTextColor(color);
    contentView_->addSubview(label);
    setNeedsLayout();
    return label;
}

std::shared_ptr<Label> TableViewCell::textLabel() {
    if (!textLabel_) textLabel_ = makeLabel(kTextPointSize, gfx::Color::label());
    return textLabel_;
}

std::shared_ptr<Label> TableViewCell::detailTextLabel() {
    if (style_ != TableViewCellStyle::Subtitle) return nullptr;
    if (!detailTextLabel_) detailTextLabel_ = makeLabel(kDetailPointSize, gfx::Color::secondaryLabel());
    return detailTextLabel_;
}

void TableViewCell::setSelectionStyle(TableViewCellSelectionStyle style) {
    selectionStyle_ = style;
    updateSelectedBackground();
}

void TableViewCell::setSelectedBackgroundView(std::shared_ptr<View> view) {
    if (selectedBackgroundView_ == view) return;
    if (selectedBackgroundView_) selectedBackgroundView_->removeFromSuperview();
    selectedBackgroundView_ = std::move(view);
    if (selectedBackgroundView_) {
        // Behind the content and anything else the cell holds.
        selectedBackgroundView_->setFrame(bounds());
        selectedBackgroundView_->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
        insertSubview(selectedBackgroundView_, 0);
    }
    updateSelectedBackground();
}

void TableViewCell::setAccessoryView(std::shared_ptr<View> view) {
    if (accessoryView_ == view) return;
    if (accessoryView_) accessoryView_->removeFromSuperview();
    accessoryView_ = std::move(view);
    if (accessoryView_) addSubview(accessoryView_);
    setNeedsLayout();
}

void TableViewCell::setSelected(bool selected, bool /*animated*/) {
    selected_ = selected;
    updateSelectedBackground();
}

void TableViewCell::setHighlighted(bool highlighted, bool /*animated*/) {
    highlighted_ = highlighted;
    updateSelectedBackground();
}

void TableViewCell::updateSelectedBackground() {
    if (!selectedBackgroundView_) return;
    bool shows = (selected_ || highlighted_) && selectionStyle_ != TableViewCellSelectionStyle::None;
    selectedBackgroundView_->setHidden(!shows);
}

void TableViewCell::prepareForReuse() {
    setSelected(false);
    setHighlighted(false);
}

// The accessory sits in a column at the trailing side; the content view ends where it begins.
gfx::Rect TableViewCell::contentFrame() const {
    gfx::Rect frame = bounds();
    frame.x = frame.y = 0;
    if (!accessoryView_) return frame;
    gfx::Size size = accessoryView_->frame().size();
    if (size.width <= 0 || size.height <= 0) size = accessoryView_->sizeThatFits(frame.size());
    double column = std::min(frame.width, size.width + kHorizontalMargin);
    bool rightToLeft = effectiveLayoutDirection() == LayoutDirection::RightToLeft;
    double accessoryX = rightToLeft ? kHorizontalMargin : frame.width - column;
    accessoryView_->setFrame({accessoryX, (frame.height - size.height) / 2, size.width, size.height});
    frame.width -= column;
    if (rightToLeft) frame.x = column;
    return frame;
}

void TableViewCell::layoutSubviews() {
    contentView_->setFrame(contentFrame());
    layoutLabels();
}

// The labels share the content view's width less the margins; a subtitle cell stacks them,
// centred as a block.
void TableViewCell::layoutLabels() {
    gfx::Size area = contentView_->bounds().size();
    double width = std::max(0.0, area.width - 2 * kHorizontalMargin);
    double textHeight = textLabel_ ? textLabel_->intrinsicContentSize().height : 0;
    double detailHeight = detailTextLabel_ ? detailTextLabel_->intrinsicContentSize().height : 0;
    double top = (area.height - textHeight - detailHeight) / 2;
    if (textLabel_) {
        gfx::Rect frame{kHorizontalMargin, top, width, textHeight};
        if (!detailTextLabel_) frame = {kHorizontalMargin, 0, width, area.height};
        textLabel_->setFrame(frame);
    }
    if (detailTextLabel_)
        detailTextLabel_->setFrame({kHorizontalMargin, top + textHeight, width, detailHeight});
}

}  // namespace ui
