#pragma once

class GalleryScreen;
class GalleryStackView;

// Pages for the kit's own views: the contact picker, presented as a sheet with the picked
// contact shown below its button, and marquees of several speeds and directions.
void buildContactPicker(GalleryScreen& screen, GalleryStackView& stack);
void buildMarquees(GalleryScreen& screen, GalleryStackView& stack);
