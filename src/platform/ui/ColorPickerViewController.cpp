#include "ui/ColorPickerViewController.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/WhileAlive.h"
#include "gfx/Font.h"
#include "ui/Button.h"
#include "ui/ColorPickerViewControllerDelegate.h"
#include "ui/Label.h"
#include "ui/Slider.h"
#include "ui/TapGestureRecognizer.h"
#include "ui/TextField.h"
#include "ui/View.h"

namespace ui {

namespace {

constexpr double kHeaderHeight = 56;
constexpr double kCloseSize = 30;
constexpr double kSectionGap = 20;
constexpr double kSliderLabelHeight = 18;
constexpr double kSliderGap = 8;
constexpr double kPreviewSize = 44;
constexpr double kHexFieldWidth = 120;
constexpr double kHexFieldHeight = 36;

// Saturation and brightness of the five shade rows, lightest first.
constexpr std::array<std::pair<double, double>, ColorPickerViewController::kShadeRows> kShades{
    {{0.35, 1.0}, {0.65, 1.0}, {1.0, 1.0}, {1.0, 0.75}, {1.0, 0.5}}};

double unit(double value) { return std::isfinite(value) ? std::clamp(value, 0.0, 1.0) : 0.0; }

gfx::Color colorFromHsb(double hue, double saturation, double brightness, double alpha) {
    double h = unit(hue) * 6.0;
    if (h >= 6.0) h = 0;
    int sector = static_cast<int>(h);
    double f = h - sector;
    double v = unit(brightness), s = unit(saturation);
    double p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    switch (sector) {
        case 0:
            return {v, t, p, alpha};
        case 1:
            return {q, v, p, alpha};
        case 2:
            return {p, v, t, alpha};
        case 3:
            return {p, q, v, alpha};
        case 4:
            return {t, p, v, alpha};
        default:
            return {v, p, q, alpha};
    }
}

// Hue, saturation and brightness; a grey keeps `previousHue` so its hue slider does not jump.
std::array<double, 3> hsbFromColor(const gfx::Color& color, double previousHue) {
    double r = color.red(), g = color.green(), b = color.blue();
    double maximum = std::max({r, g, b}), minimum = std::min({r, g, b});
    double delta = maximum - minimum;
    double saturation = maximum > 0 ? delta / maximum : 0;
    if (delta <= 0) return {previousHue, saturation, maximum};
    double hue = 0;
    if (maximum == r) {
        hue = std::fmod((g - b) / delta + 6.0, 6.0);
    } else if (maximum == g) {
        hue = (b - r) / delta + 2.0;
    } else {
        hue = (r - g) / delta + 4.0;
    }
    return {hue / 6.0, saturation, maximum};
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool sameColor(const gfx::Color& a, const gfx::Color& b) {
    return a.red() == b.red() && a.green() == b.green() && a.blue() == b.blue() && a.alpha() == b.alpha();
}

}  // namespace

std::shared_ptr<ColorPickerViewController> ColorPickerViewController::create() {
    return std::shared_ptr<ColorPickerViewController>(new ColorPickerViewController());
}

gfx::Color ColorPickerViewController::swatchColor(int row, int column) {
    row = std::clamp(row, 0, kSwatchRows - 1);
    column = std::clamp(column, 0, kHueColumns - 1);
    if (row == kShadeRows) return gfx::Color::white(1.0 - static_cast<double>(column) / (kHueColumns - 1));
    auto [saturation, brightness] = kShades[static_cast<std::size_t>(row)];
    return colorFromHsb(static_cast<double>(column) / kHueColumns, saturation, brightness, 1.0);
}

std::string ColorPickerViewController::hexString(const gfx::Color& color) {
    auto byte = [](double component) { return static_cast<int>(std::lround(unit(component) * 255.0)); };
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", byte(color.red()), byte(color.green()),
                  byte(color.blue()));
    return text;
}

std::optional<gfx::Color> ColorPickerViewController::colorFromHexString(const std::string& text) {
    if (text.size() != 6) return std::nullopt;
    std::array<double, 3> components{};
    for (std::size_t i = 0; i < 3; ++i) {
        int high = hexDigit(text[2 * i]), low = hexDigit(text[2 * i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        components[i] = (high * 16 + low) / 255.0;
    }
    return gfx::Color(components[0], components[1], components[2], 1.0);
}

void ColorPickerViewController::setSelectedColor(const gfx::Color& color) { adopt(color, std::nullopt); }

void ColorPickerViewController::setSupportsAlpha(bool supports) {
    supportsAlpha_ = supports;
    adopt(color_, hsb_);
}

void ColorPickerViewController::adopt(const gfx::Color& color, std::optional<Hsb> hsb) {
    // Only plain, finite components in 0..1 are kept; a dynamic colour gives its light form.
    double alpha = supportsAlpha_ ? unit(color.alpha()) : 1.0;
    color_ = gfx::Color(unit(color.red()), unit(color.green()), unit(color.blue()), alpha);
    if (hsb) {
        hsb_ = *hsb;
    } else {
        auto [hue, saturation, brightness] = hsbFromColor(color_, hsb_.hue);
        hsb_ = {hue, saturation, brightness};
    }
    if (isViewLoaded()) refreshControls();
}

void ColorPickerViewController::loadView() {
    auto root = View::create();
    root->setFrame({0, 0, 390, 780});
    root->setBackgroundColor(gfx::Color::systemBackground());
    setView(root);
    buildHeader(*root);
    buildGrid(*root);
    buildSliders(*root);
    buildHexRow(*root);
    layoutContent(root->bounds().width);
    refreshControls();
}

std::shared_ptr<ColorPickerViewController> ColorPickerViewController::picker() {
    return std::static_pointer_cast<ColorPickerViewController>(sharedController());
}

void ColorPickerViewController::buildHeader(View& root) {
    titleLabel_ = Label::create(title().empty() ? "Colours" : title());
    titleLabel_->setFont(gfx::Font::system(17, gfx::FontWeight::Semibold));
    titleLabel_->setTextAlignment(gfx::TextAlignment::Center);
    root.addSubview(titleLabel_);

    closeButton_ = Button::create();
    closeButton_->setSymbolImage("xmark");
    closeButton_->addAction(ControlEventTouchUpInside,
                            base::whileAlive(picker(), [](auto& self) { self.dismiss(true); }));
    root.addSubview(closeButton_);
}

void ColorPickerViewController::buildGrid(View& root) {
    grid_ = View::create();
    for (int row = 0; row < kSwatchRows; ++row) {
        for (int column = 0; column < kHueColumns; ++column) {
            auto swatch = View::create();
            swatch->setBackgroundColor(swatchColor(row, column));
            // The grid takes the tap and works out the swatch from where it landed.
            swatch->setUserInteractionEnabled(false);
            grid_->addSubview(swatch);
        }
    }
    grid_->setClipsToBounds(true);
    grid_->layer().setCornerRadius(8);
    gridTap_ = TapGestureRecognizer::create();
    gridTap_->addAction(base::whileAlive(picker(), [](auto& self) { self.swatchTapped(); }));
    grid_->addGestureRecognizer(gridTap_);
    root.addSubview(grid_);
}

void ColorPickerViewController::buildSliders(View& root) {
    static constexpr std::array<const char*, kSliderCount> kNames{"Hue", "Saturation", "Brightness",
                                                                  "Opacity"};
    for (int i = 0; i < kSliderCount; ++i) {
        auto index = static_cast<SliderIndex>(i);
        sliderLabels_[i] = Label::create(kNames[i]);
        sliderLabels_[i]->setFont(gfx::Font::system(13, gfx::FontWeight::Semibold));
        sliderLabels_[i]->setTextColor(gfx::Color::secondaryLabel());
        sliders_[i] = Slider::create();
        sliders_[i]->setMinimumValue(0);
        sliders_[i]->setMaximumValue(1);
        sliders_[i]->addAction(ControlEventValueChanged,
                               base::whileAlive(picker(), [index](auto& self) { self.sliderMoved(index); }));
        root.addSubview(sliderLabels_[i]);
        root.addSubview(sliders_[i]);
    }
}

void ColorPickerViewController::buildHexRow(View& root) {
    preview_ = View::create();
    preview_->layer().setCornerRadius(kPreviewSize / 2);
    preview_->setClipsToBounds(true);
    root.addSubview(preview_);

    hexField_ = TextField::create();
    hexField_->setFont(gfx::Font::system(17));
    hexField_->setPlaceholder("RRGGBB");
    hexField_->setBackgroundColor(gfx::Color::tertiarySystemFill());
    hexField_->layer().setCornerRadius(8);
    hexField_->setAutocorrectionType(AutocorrectionType::No);
    hexField_->setAutocapitalizationType(AutocapitalizationType::AllCharacters);
    hexField_->addAction(ControlEventEditingChanged,
                         base::whileAlive(picker(), [](auto& self) { self.hexEdited(); }));
    hexField_->addAction(ControlEventEditingDidEnd,
                         base::whileAlive(picker(), [](auto& self) { self.hexEditingEnded(); }));
    hexField_->addAction(ControlEventPrimaryActionTriggered, base::whileAlive(picker(), [](auto& self) {
                             self.hexField_->resignFirstResponder();
                         }));
    root.addSubview(hexField_);
}

void ColorPickerViewController::layoutContent(double width) {
    const double inner = std::max(0.0, width - 2 * kMargin);
    titleLabel_->setFrame({kMargin + kCloseSize, 18, std::max(0.0, inner - 2 * kCloseSize), 22});
    closeButton_->setFrame({width - kMargin - kCloseSize, 14, kCloseSize, kCloseSize});

    // 1. The swatch grid: square swatches across the width.
    const double side = inner / kHueColumns;
    grid_->setFrame({kMargin, kHeaderHeight, inner, side * kSwatchRows});
    const auto& swatches = grid_->subviews();
    for (std::size_t i = 0; i < swatches.size(); ++i) {
        double row = static_cast<double>(i / kHueColumns), column = static_cast<double>(i % kHueColumns);
        swatches[i]->setFrame({column * side, row * side, side, side});
    }

    // 2. The sliders, each under its name; the opacity row only when alpha is offered.
    double top = grid_->frame().maxY() + kSectionGap;
    for (int i = 0; i < kSliderCount; ++i) {
        bool shown = i != kOpacity || supportsAlpha_;
        sliderLabels_[i]->setHidden(!shown);
        sliders_[i]->setHidden(!shown);
        if (!shown) continue;
        sliderLabels_[i]->setFrame({kMargin, top, inner, kSliderLabelHeight});
        sliders_[i]->setFrame({kMargin, top + kSliderLabelHeight, inner, Slider::kHeight});
        top += kSliderLabelHeight + Slider::kHeight + kSliderGap;
    }

    // 3. The preview and the hex field side by side.
    top += kSectionGap - kSliderGap;
    preview_->setFrame({kMargin, top, kPreviewSize, kPreviewSize});
    hexField_->setFrame({kMargin + kPreviewSize + 12, top + (kPreviewSize - kHexFieldHeight) / 2,
                         kHexFieldWidth, kHexFieldHeight});
}

void ColorPickerViewController::viewWillAppear(bool) {
    if (!title().empty()) titleLabel_->setText(title());
    layoutContent(view()->bounds().width);
}

void ColorPickerViewController::viewDidDisappear(bool) {
    // Gone from the screen and no longer presented: the sheet was closed.
    if (presentingViewController()) return;
    auto keep = sharedController();
    if (auto delegate = delegate_.lock()) delegate->colorPickerViewControllerDidFinish(*this);
}

void ColorPickerViewController::refreshControls() {
    sliders_[kHue]->setValue(static_cast<float>(hsb_.hue));
    sliders_[kSaturation]->setValue(static_cast<float>(hsb_.saturation));
    sliders_[kBrightness]->setValue(static_cast<float>(hsb_.brightness));
    sliders_[kOpacity]->setValue(static_cast<float>(color_.alpha()));
    sliderLabels_[kOpacity]->setHidden(!supportsAlpha_);
    sliders_[kOpacity]->setHidden(!supportsAlpha_);
    preview_->setBackgroundColor(color_);
    // While the user types a colour, the field keeps the text as typed.
    bool typing = hexField_->isEditing() && colorFromHexString(hexField_->text()).has_value();
    if (!typing) hexField_->setText(hexString(color_));
}

void ColorPickerViewController::swatchTapped() {
    gfx::Point at = gridTap_->locationInView(grid_.get());
    gfx::Rect bounds = grid_->bounds();
    if (bounds.width <= 0 || bounds.height <= 0) return;
    int column = static_cast<int>(at.x / (bounds.width / kHueColumns));
    int row = static_cast<int>(at.y / (bounds.height / kSwatchRows));
    if (column < 0 || column >= kHueColumns || row < 0 || row >= kSwatchRows) return;
    gfx::Color swatch = swatchColor(row, column);
    userChose(swatch.withAlphaComponent(color_.alpha()), std::nullopt, false);
}

void ColorPickerViewController::sliderMoved(SliderIndex index) {
    const auto& slider = sliders_[index];
    Hsb hsb{sliders_[kHue]->value(), sliders_[kSaturation]->value(), sliders_[kBrightness]->value()};
    double alpha = sliders_[kOpacity]->value();
    auto phase = slider->currentTouchPhase();
    bool continuously = phase == TouchPhase::Began || phase == TouchPhase::Moved;
    userChose(colorFromHsb(hsb.hue, hsb.saturation, hsb.brightness, alpha), hsb, continuously);
}

void ColorPickerViewController::hexEdited() {
    // Anything but six hex digits is left in the field and not applied.
    auto parsed = colorFromHexString(hexField_->text());
    if (!parsed) return;
    userChose(parsed->withAlphaComponent(color_.alpha()), std::nullopt, false);
}

void ColorPickerViewController::hexEditingEnded() { hexField_->setText(hexString(color_)); }

void ColorPickerViewController::userChose(const gfx::Color& color, std::optional<Hsb> hsb,
                                          bool continuously) {
    gfx::Color before = color_;
    adopt(color, hsb);
    if (sameColor(before, color_)) return;
    auto keep = sharedController();
    if (auto delegate = delegate_.lock()) {
        delegate->colorPickerViewControllerDidSelectColorContinuously(*this, color_, continuously);
    }
}

}  // namespace ui
