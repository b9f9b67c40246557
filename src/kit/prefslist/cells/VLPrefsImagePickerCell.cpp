#include "prefslist/cells/VLPrefsImagePickerCell.h"

#include "uikit/ViewLayoutExtension.h"

std::shared_ptr<VLPrefsImagePickerCell> VLPrefsImagePickerCell::create(ui::TableViewCellStyle style,
                                                                       std::string reuseIdentifier) {
    auto cell = adopt(new VLPrefsImagePickerCell(style, std::move(reuseIdentifier)));
    cell->buildIconCard(TilePlacement::CentredOnCard);
    auto& card = *cell->baseView();

    auto preview = makePreview(kPreviewCornerRadius, gfx::CornerCurve::Continuous);
    card.addSubview(preview);
    extension::size(*preview, {kPreviewSize, kPreviewSize});
    extension::y(*preview, card.centerYAnchor());
    extension::trailing(*preview, card.trailingAnchor(), -kSpacing);
    cell->preview_ = preview;

    cell->buildTitles(preview->trailingAnchor());
    cell->finishBuilding();
    return cell;
}

void VLPrefsImagePickerCell::prepareForReuse() {
    VLPrefsSubtitleCardCell::prepareForReuse();
    clearImage(preview_);
}
