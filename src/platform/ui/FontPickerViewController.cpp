#include "ui/FontPickerViewController.h"

#include "gfx/Font.h"
#include "ui/Button.h"
#include "ui/FontPickerViewControllerDelegate.h"
#include "ui/Label.h"
#include "ui/PickerSheetHeader.h"
#include "ui/TableView.h"
#include "ui/TableViewCell.h"
#include "ui/View.h"

namespace ui {

namespace {
constexpr double kNameSize = 17;
}  // namespace

std::shared_ptr<FontPickerViewController> FontPickerViewController::create(
    FontPickerViewControllerConfiguration configuration) {
    auto picker = std::shared_ptr<FontPickerViewController>(new FontPickerViewController(configuration));
    picker->setTitle("Fonts");
    return picker;
}

void FontPickerViewController::listFonts() {
    rows_.clear();
    for (const std::string& family : gfx::Font::familyNames()) {
        rows_.push_back({family, {}});
        if (!configuration_.includeFaces) continue;
        auto faces = gfx::Font::faceNames(family);
        // A family of one face has nothing to choose between.
        if (faces.size() < 2) continue;
        for (const std::string& face : faces) rows_.push_back({family, face});
    }
}

void FontPickerViewController::loadView() {
    listFonts();
    std::weak_ptr<FontPickerViewController> weak =
        std::static_pointer_cast<FontPickerViewController>(sharedController());
    registerAction("fontPickerCancel", [weak] {
        if (auto self = weak.lock()) self->dismiss(true);
    });
    auto header = PickerSheetHeader::build(title(), weak_from_this(), "fontPickerCancel");
    auto root = header.root;
    titleLabel_ = header.titleLabel;
    cancelButton_ = header.cancelButton;
    setView(root);

    table_ = TableView::create(TableView::Style::Plain);
    table_->setFrame({0, PickerSheetHeader::kHeight, root->bounds().width,
                      root->bounds().height - PickerSheetHeader::kHeight});
    table_->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
    table_->setRowHeight(kRowHeight);
    table_->registerCell(kCellIdentifier,
                         [] { return TableViewCell::create(TableViewCellStyle::Default, kCellIdentifier); });
    std::shared_ptr<FontPickerViewController> self = weak.lock();
    table_->setDataSource(std::static_pointer_cast<TableViewDataSource>(self));
    table_->setDelegate(std::static_pointer_cast<TableViewDelegate>(self));
    root->addSubview(table_);
}

void FontPickerViewController::viewWillAppear(bool) {
    picked_ = false;
    titleLabel_->setText(title());
}

void FontPickerViewController::viewDidDisappear(bool) {
    // Closed without a pick: the user cancelled.
    if (presentingViewController() || picked_) return;
    auto keep = sharedController();
    if (auto delegate = delegate_.lock()) delegate->fontPickerViewControllerDidCancel(*this);
}

gfx::Font FontPickerViewController::fontForRow(const Row& row) const {
    if (configuration_.displayUsingSystemFont) return gfx::Font::system(kNameSize);
    auto own = gfx::Font::named(row.family, kNameSize, gfx::FontWeight::Regular, row.face);
    return own ? *own : gfx::Font::system(kNameSize);
}

int FontPickerViewController::numberOfRowsInSection(TableView&, int section) {
    return section == 0 ? static_cast<int>(rows_.size()) : 0;
}

std::shared_ptr<TableViewCell> FontPickerViewController::cellForRowAtIndexPath(TableView& table,
                                                                               IndexPath indexPath) {
    auto cell = table.dequeueReusableCell(kCellIdentifier);
    if (indexPath.row < 0 || indexPath.row >= static_cast<int>(rows_.size())) return cell;
    const Row& row = rows_[static_cast<std::size_t>(indexPath.row)];
    auto label = cell->textLabel();
    // A face row names its family too, so it reads on its own.
    label->setText(row.face.empty() ? row.family : row.family + " " + row.face);
    label->setFont(fontForRow(row));
    return cell;
}

void FontPickerViewController::didSelectRowAtIndexPath(TableView&, IndexPath indexPath) {
    if (indexPath.row < 0 || indexPath.row >= static_cast<int>(rows_.size())) return;
    const Row& row = rows_[static_cast<std::size_t>(indexPath.row)];
    selected_ = gfx::FontDescriptor(row.family, row.face);
    picked_ = true;
    auto keep = sharedController();
    if (auto delegate = delegate_.lock()) delegate->fontPickerViewControllerDidPickFont(*this);
}

}  // namespace ui
