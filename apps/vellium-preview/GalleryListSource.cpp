#include "GalleryListSource.h"

#include <array>

#include "ui/CollectionView.h"
#include "ui/CollectionViewCell.h"
#include "ui/Label.h"
#include "ui/TableView.h"
#include "ui/TableViewCell.h"

namespace {

const char* const kRow = "row";
const char* const kTile = "tile";

gfx::Color tileColor(int item) {
    static const std::array<gfx::Color, 6> colors = {gfx::Color::systemRed(),    gfx::Color::systemOrange(),
                                                     gfx::Color::systemYellow(), gfx::Color::systemGreen(),
                                                     gfx::Color::systemBlue(),   gfx::Color::systemPurple()};
    return colors[static_cast<std::size_t>(item) % colors.size()];
}

}  // namespace

std::shared_ptr<ui::TableViewCell> GalleryListSource::cellForRowAtIndexPath(ui::TableView& table,
                                                                            ui::IndexPath indexPath) {
    auto cell = table.dequeueReusableCell(kRow);
    if (!cell) cell = ui::TableViewCell::create(ui::TableViewCellStyle::Default, kRow);
    cell->setBackgroundColor(gfx::Color::systemBackground());
    cell->textLabel()->setText("Row " + std::to_string(indexPath.row + 1));
    return cell;
}

void GalleryListSource::didSelectRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) {
    table.deselectRowAtIndexPath(indexPath, true);
}

std::shared_ptr<ui::CollectionViewCell> GalleryListSource::cellForItemAtIndexPath(
    ui::CollectionView& collection, ui::IndexPath indexPath) {
    auto cell = collection.dequeueReusableCell(kTile, indexPath);
    if (!cell) cell = ui::CollectionViewCell::create();
    cell->contentView()->setBackgroundColor(tileColor(indexPath.item()));
    cell->contentView()->layer().setCornerRadius(8);
    return cell;
}
