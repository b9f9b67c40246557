#include "GalleryIndexedListSource.h"

#include "ui/Label.h"
#include "ui/TableView.h"
#include "ui/TableViewCell.h"

namespace {

const char* const kNameRow = "name";

// Sorted, so the sections come out in alphabetical order.
const char* const kNames[] = {"Ada",     "Alan",   "Alonzo", "Barbara", "Bjarne",   "Brian",
                              "Claude",  "Donald", "Edsger", "Frances", "Grace",    "Guido",
                              "Ivan",    "John",   "Ken",    "Leslie",  "Linus",    "Margaret",
                              "Niklaus", "Radia",  "Robin",  "Tony",    "Whitfield"};

}  // namespace

GalleryIndexedListSource::GalleryIndexedListSource() {
    for (const char* name : kNames) {
        std::string letter(1, name[0]);
        if (sections_.empty() || sections_.back().letter != letter) sections_.push_back({letter, {}});
        sections_.back().names.emplace_back(name);
    }
}

int GalleryIndexedListSource::numberOfRowsInSection(ui::TableView&, int section) {
    if (section < 0 || section >= static_cast<int>(sections_.size())) return 0;
    return static_cast<int>(sections_[static_cast<std::size_t>(section)].names.size());
}

std::shared_ptr<ui::TableViewCell> GalleryIndexedListSource::cellForRowAtIndexPath(ui::TableView& table,
                                                                                   ui::IndexPath indexPath) {
    auto cell = table.dequeueReusableCell(kNameRow);
    if (!cell) cell = ui::TableViewCell::create(ui::TableViewCellStyle::Default, kNameRow);
    cell->setBackgroundColor(gfx::Color::systemBackground());
    const auto& names = sections_[static_cast<std::size_t>(indexPath.section)].names;
    cell->textLabel()->setText(names[static_cast<std::size_t>(indexPath.row)]);
    return cell;
}

std::optional<std::string> GalleryIndexedListSource::titleForHeaderInSection(ui::TableView&, int section) {
    if (section < 0 || section >= static_cast<int>(sections_.size())) return std::nullopt;
    return sections_[static_cast<std::size_t>(section)].letter;
}

std::vector<std::string> GalleryIndexedListSource::sectionIndexTitles(ui::TableView&) {
    std::vector<std::string> letters;
    for (const auto& section : sections_) letters.push_back(section.letter);
    return letters;
}

void GalleryIndexedListSource::didSelectRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) {
    table.deselectRowAtIndexPath(indexPath, true);
}
