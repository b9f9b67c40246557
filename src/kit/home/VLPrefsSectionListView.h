#pragma once

#include <memory>
#include <string>

#include "gfx/Color.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/TapGestureRecognizer.h"
#include "ui/View.h"

// The home screen's single settings row: a large rounded card with a symbol in a tinted tile,
// a title and a subtitle. It shrinks and dims while a finger is on it. Its owner wires `tap`
// to its own action; the row does nothing else on a tap.
class VLPrefsSectionListView : public ui::View {
public:
    static constexpr double kCornerRadius = 17;
    static constexpr double kPressedScale = 0.96;
    static constexpr double kPressedAlpha = 0.8;
    static constexpr double kPressSeconds = 0.3;

    // `icon` names a system symbol.
    static std::shared_ptr<VLPrefsSectionListView> create(const std::string& title,
                                                          const std::string& subtitle,
                                                          const std::string& icon, const gfx::Color& accent);
    const char* className() const override { return "VLPrefsSectionListView"; }

    const std::shared_ptr<ui::View>& iconView() const { return iconView_; }
    const std::shared_ptr<ui::ImageView>& iconImage() const { return iconImage_; }
    const std::shared_ptr<ui::Label>& titleLabel() const { return titleLabel_; }
    const std::shared_ptr<ui::Label>& subtitleLabel() const { return subtitleLabel_; }
    const std::shared_ptr<ui::TapGestureRecognizer>& tap() const { return tap_; }

    // Pressed: scaled by 0.96 and at alpha 0.8; released: back to the identity and full opacity.
    void touchAnimateWithHighlighted(bool highlighted);

    void touchesBegan(const Touches& touches) override;
    void touchesEnded(const Touches& touches) override;
    void touchesCancelled(const Touches& touches) override;

protected:
    VLPrefsSectionListView() = default;

private:
    void build(const std::string& title, const std::string& subtitle, const std::string& icon,
               const gfx::Color& accent);

    std::shared_ptr<ui::View> iconView_;
    std::shared_ptr<ui::ImageView> iconImage_;
    std::shared_ptr<ui::Label> titleLabel_;
    std::shared_ptr<ui::Label> subtitleLabel_;
    std::shared_ptr<ui::TapGestureRecognizer> tap_;
};
