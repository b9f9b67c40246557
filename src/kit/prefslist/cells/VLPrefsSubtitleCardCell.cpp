#include "prefslist/cells/VLPrefsSubtitleCardCell.h"

void VLPrefsSubtitleCardCell::prepareForReuse() {
    VLPrefsIconCardCell::prepareForReuse();
    clearText(subtitleLabel_);
}

void VLPrefsSubtitleCardCell::buildTitles(const ui::LayoutAnchor& trailingReference) {
    buildTitle(trailingReference);
    subtitleLabel_ = buildSecondLine(trailingReference);
}
