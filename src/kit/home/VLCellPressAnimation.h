#pragma once

namespace ui {
class View;
}

// How the home screen's category cells and the changelog's date chips answer a finger: they
// shrink a little and fade quickly when pressed, and come back slowly when let go.
class VLCellPressAnimation {
public:
    static constexpr double kPressedScale = 0.97;
    static constexpr double kPressedAlpha = 0.5;
    static constexpr double kPressSeconds = 0.2;
    static constexpr double kReleaseSeconds = 0.6;

    static void highlight(ui::View& cell);
    static void unhighlight(ui::View& cell);
};
