#include "prefslist/cells/VLPrefsAvatarPickerCell.h"

std::shared_ptr<VLPrefsAvatarPickerCell> VLPrefsAvatarPickerCell::create(ui::TableViewCellStyle style,
                                                                         std::string reuseIdentifier) {
    auto cell = adopt(new VLPrefsAvatarPickerCell(style, std::move(reuseIdentifier)));
    cell->preview_ = cell->buildPictureCard(kPreviewSize, kPreviewCornerRadius, gfx::CornerCurve::Circular);
    return cell;
}

void VLPrefsAvatarPickerCell::prepareForReuse() {
    VLPrefsSubtitleCardCell::prepareForReuse();
    clearImage(preview_);
}
