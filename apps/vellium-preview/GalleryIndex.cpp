#include "GalleryIndex.h"

#include "GalleryStackView.h"
#include "ui/Label.h"
#include "ui/NavigationController.h"
#include "ui/TableView.h"
#include "ui/TableViewCell.h"

namespace {
const char* const kEntry = "entry";
}

std::shared_ptr<ui::NavigationController> GalleryIndex::makeGallery() {
    auto index = std::make_shared<GalleryIndex>();
    auto root = GalleryScreen::create("Gallery", [index](GalleryScreen& screen, GalleryStackView& stack) {
        screen.retain(index);
        auto table = ui::TableView::create(ui::TableView::Style::InsetGrouped);
        table->setDataSource(index);
        table->setDelegate(index);
        table->setScrollEnabled(false);
        // A grey rounded card of entries on the page itself, with no band behind it.
        table->setBackgroundColor(gfx::Color::clear());
        stack.addFullWidthRow(
            table, static_cast<double>(index->pages_.size()) * ui::TableView::kDefaultRowHeight + 40);
    });
    auto navigation = ui::NavigationController::create(root);
    index->navigation_ = navigation;
    return navigation;
}

bool GalleryIndex::openPage(ui::NavigationController& navigation, const std::string& title) {
    for (const GalleryPage& page : galleryPages()) {
        if (page.title != title) continue;
        navigation.pushViewController(GalleryScreen::create(page.title, page.build), false);
        return true;
    }
    return false;
}

std::shared_ptr<ui::TableViewCell> GalleryIndex::cellForRowAtIndexPath(ui::TableView& table,
                                                                       ui::IndexPath indexPath) {
    auto cell = table.dequeueReusableCell(kEntry);
    if (!cell) cell = ui::TableViewCell::create(ui::TableViewCellStyle::Default, kEntry);
    cell->setBackgroundColor(gfx::Color::secondarySystemBackground());
    cell->textLabel()->setText(pages_[static_cast<std::size_t>(indexPath.row)].title);
    return cell;
}

void GalleryIndex::didSelectRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) {
    table.deselectRowAtIndexPath(indexPath, true);
    auto navigation = navigation_.lock();
    if (!navigation || indexPath.row < 0 || indexPath.row >= static_cast<int>(pages_.size())) return;
    const GalleryPage& page = pages_[static_cast<std::size_t>(indexPath.row)];
    navigation->pushViewController(GalleryScreen::create(page.title, page.build), true);
}
