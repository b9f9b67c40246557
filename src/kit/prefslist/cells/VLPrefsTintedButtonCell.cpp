#include "prefslist/cells/VLPrefsTintedButtonCell.h"

#include "uikit/ViewLayoutExtension.h"

namespace {

constexpr double kTitlePointSize = 20;
constexpr double kTitleSideInset = 10;

}  // namespace

std::shared_ptr<VLPrefsTintedButtonCell> VLPrefsTintedButtonCell::create(ui::TableViewCellStyle style,
                                                                         std::string reuseIdentifier) {
    auto cell = adopt(new VLPrefsTintedButtonCell(style, std::move(reuseIdentifier)));
    cell->buildCard(CardFill::None);
    auto& card = *cell->baseView();

    auto title =
        makeLabel(gfx::TextAlignment::Center, gfx::Font::system(kTitlePointSize, gfx::FontWeight::Semibold));
    card.addSubview(title);
    extension::leading(*title, card.leadingAnchor(), kTitleSideInset);
    extension::trailing(*title, card.trailingAnchor(), -kTitleSideInset);
    extension::xy(*title, card.centerXAnchor(), card.centerYAnchor());
    cell->setTitleLabel(title);

    cell->finishBuilding();
    return cell;
}
