#include "home/VLSheetList.h"

#include "gfx/Font.h"

std::shared_ptr<ui::TableView> VLSheetList::makeTable() {
    auto table = ui::TableView::create();
    table->setBackgroundColor(gfx::Color::clear());
    table->setSeparatorStyle(ui::TableView::SeparatorStyle::None);
    table->setShowsVerticalScrollIndicator(false);
    table->setEstimatedRowHeight(60);
    table->setRowHeight(ui::TableView::kAutomaticDimension);
    return table;
}

std::shared_ptr<ui::TextView> VLSheetList::makeMessageView() {
    auto message = ui::TextView::create();
    message->setFont(gfx::Font::system(18));
    message->setTextAlignment(gfx::TextAlignment::Natural);
    message->setTextColor(gfx::Color::label());
    message->setBackgroundColor(gfx::Color::clear());
    message->setScrollEnabled(false);
    message->setEditable(false);
    message->setUserInteractionEnabled(false);
    return message;
}
