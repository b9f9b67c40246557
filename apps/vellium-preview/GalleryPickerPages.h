#pragma once

class GalleryScreen;
class GalleryStackView;

// Pages that present the platform's pickers as sheets and show what was picked: the colour as
// a swatch and its hex code, the font's family name drawn in that font, the photo as a
// thumbnail with its file name.
void buildColourPicker(GalleryScreen& screen, GalleryStackView& stack);
void buildFontPicker(GalleryScreen& screen, GalleryStackView& stack);
void buildPhotoPicker(GalleryScreen& screen, GalleryStackView& stack);
void buildAppPicker(GalleryScreen& screen, GalleryStackView& stack);
// The avatar picker: the returned image at its own size, or "Dismissed".
void buildAvatarPicker(GalleryScreen& screen, GalleryStackView& stack);
// The emoji picker: the emoji it returned, drawn large, with its code points, or that it was
// dismissed without a choice.
void buildEmojiPicker(GalleryScreen& screen, GalleryStackView& stack);
