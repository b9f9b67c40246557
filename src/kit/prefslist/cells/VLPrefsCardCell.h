#pragma once

#include <memory>
#include <string>

#include "gfx/Font.h"
#include "gfx/TextLayout.h"
#include "ui/Label.h"
#include "ui/TableViewCell.h"

// The frame every preference cell shares: the cell rounded at 10 points and clipped, and
// `baseView`, the card, inset 5 points from the top and bottom and 20 from the sides, with its
// own continuous corners. The card is a direct child of the cell, so after building, the
// content view (which holds the cell's controls) is brought back above it: controls stay
// visible and receive touches.
//
// Subclasses build their tree in `create`, calling the steps below in creation order, so that
// a later sibling draws above an earlier one.
class VLPrefsCardCell : public ui::TableViewCell {
public:
    static constexpr double kCellCornerRadius = 10;
    static constexpr double kCardCornerRadius = 15;
    static constexpr double kCardVerticalInset = 5;
    static constexpr double kCardHorizontalInset = 20;

    const std::shared_ptr<ui::View>& baseView() const { return baseView_; }
    void setBaseView(std::shared_ptr<ui::View> view) { baseView_ = std::move(view); }
    const std::shared_ptr<ui::Label>& titleLabel() const { return titleLabel_; }
    void setTitleLabel(std::shared_ptr<ui::Label> label) { titleLabel_ = std::move(label); }

    // Clears the title after the platform's own reset.
    void prepareForReuse() override;

protected:
    using ui::TableViewCell::TableViewCell;

    enum class CardFill { Secondary, None };

    // The cell's corners and the card (added to the cell itself).
    void buildCard(CardFill fill = CardFill::Secondary);
    // Puts a control into the content view.
    void addControl(const std::shared_ptr<ui::View>& control);
    // Raises the content view above the card; the last step of every build.
    void finishBuilding();

    static std::shared_ptr<ui::Label> makeLabel(gfx::TextAlignment alignment, const gfx::Font& font);
    static std::shared_ptr<ui::Label> makeLabel(gfx::TextAlignment alignment, const gfx::Font& font,
                                                const gfx::Color& color);

    // Empties a label, tolerating one that was replaced by null.
    static void clearText(const std::shared_ptr<ui::Label>& label);

private:
    std::shared_ptr<ui::View> baseView_;
    std::shared_ptr<ui::Label> titleLabel_;
};
