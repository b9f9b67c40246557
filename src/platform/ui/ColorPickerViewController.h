#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gfx/Color.h"
#include "ui/ViewController.h"

namespace ui {

class Button;
class ColorPickerViewControllerDelegate;
class Label;
class Slider;
class TapGestureRecognizer;
class TextField;
class View;

// A sheet for choosing a colour: a grid of swatches (twelve hues in five shades and a row of
// greys), hue, saturation, brightness and opacity sliders, a hex field (RRGGBB) and a preview.
// Every change the user makes tells the delegate once; closing the sheet (swipe or the close
// button) tells it the picker finished. Colours set in code are not reported.
//
// Without `supportsAlpha` the opacity slider is hidden and every colour is opaque.
class ColorPickerViewController : public ViewController {
public:
    static constexpr int kHueColumns = 12;
    static constexpr int kShadeRows = 5;
    static constexpr int kSwatchRows = kShadeRows + 1;  // the last row holds greys
    static constexpr double kMargin = 16;

    static std::shared_ptr<ColorPickerViewController> create();

    const gfx::Color& selectedColor() const { return color_; }
    void setSelectedColor(const gfx::Color& color);
    bool supportsAlpha() const { return supportsAlpha_; }
    void setSupportsAlpha(bool supports);

    std::shared_ptr<ColorPickerViewControllerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<ColorPickerViewControllerDelegate>& delegate) {
        delegate_ = delegate;
    }

    // The colour a swatch of the grid offers (row 0 at the top, the last row greys).
    static gfx::Color swatchColor(int row, int column);
    // Six upper-case hex digits of the colour's red, green and blue; alpha is not written.
    static std::string hexString(const gfx::Color& color);
    // A colour from exactly six hex digits (either case), else nothing.
    static std::optional<gfx::Color> colorFromHexString(const std::string& text);

    // The views, for drawing and for tests (loaded with the view).
    const std::shared_ptr<View>& swatchGrid() const { return grid_; }
    const std::shared_ptr<Slider>& hueSlider() const { return sliders_[kHue]; }
    const std::shared_ptr<Slider>& saturationSlider() const { return sliders_[kSaturation]; }
    const std::shared_ptr<Slider>& brightnessSlider() const { return sliders_[kBrightness]; }
    const std::shared_ptr<Slider>& opacitySlider() const { return sliders_[kOpacity]; }
    const std::shared_ptr<TextField>& hexField() const { return hexField_; }
    const std::shared_ptr<View>& previewSwatch() const { return preview_; }
    const std::shared_ptr<Button>& closeButton() const { return closeButton_; }

protected:
    ColorPickerViewController() = default;
    void loadView() override;
    void viewWillAppear(bool animated) override;
    void viewDidDisappear(bool animated) override;

private:
    enum SliderIndex { kHue, kSaturation, kBrightness, kOpacity, kSliderCount };
    struct Hsb {
        double hue = 0, saturation = 0, brightness = 0;
    };

    std::shared_ptr<ColorPickerViewController> picker();
    void buildHeader(View& root);
    void buildGrid(View& root);
    void buildSliders(View& root);
    void buildHexRow(View& root);
    void layoutContent(double width);

    void swatchTapped();
    void sliderMoved(SliderIndex index);
    void hexEdited();
    void hexEditingEnded();

    // Takes a colour the user chose: remembers it, refreshes the controls and tells the delegate.
    void userChose(const gfx::Color& color, std::optional<Hsb> hsb, bool continuously);
    void adopt(const gfx::Color& color, std::optional<Hsb> hsb);
    void refreshControls();

    gfx::Color color_ = gfx::Color(1, 1, 1, 1);
    Hsb hsb_{0, 0, 1};
    bool supportsAlpha_ = true;
    std::weak_ptr<ColorPickerViewControllerDelegate> delegate_;

    std::shared_ptr<Label> titleLabel_;
    std::shared_ptr<Button> closeButton_;
    std::shared_ptr<View> grid_;
    std::shared_ptr<TapGestureRecognizer> gridTap_;
    std::array<std::shared_ptr<Label>, kSliderCount> sliderLabels_;
    std::array<std::shared_ptr<Slider>, kSliderCount> sliders_;
    std::shared_ptr<View> preview_;
    std::shared_ptr<TextField> hexField_;
};

}  // namespace ui
