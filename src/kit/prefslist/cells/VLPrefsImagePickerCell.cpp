#include "prefslist/cells/VLPrefsImagePickerCell.h"

std::shared_ptr<VLPrefsImagePickerCell> VLPrefsImagePickerCell::create(ui::TableViewCellStyle style,
                                                                       std::string reuseIdentifier) {
    auto cell = adopt(new VLPrefsImagePickerCell(style, std::move(reuseIdentifier)));
    cell->preview_ = cell->buildPictureCard(kPreviewSize, kPreviewCornerRadius, gfx::CornerCurve::Continuous);
    return cell;
}

void VLPrefsImagePickerCell::prepareForReuse() {
    VLPrefsSubtitleCardCell::prepareForReuse();
    clearImage(preview_);
}
