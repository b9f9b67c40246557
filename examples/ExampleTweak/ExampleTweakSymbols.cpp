#include "ExampleTweakSymbols.h"

#include <string>
#include <utility>

#include "base/Log.h"
#include "gfx/SymbolImage.h"

namespace {

const std::pair<const char*, const char*> kSymbols[] = {
    {"gearshape.fill", "settings"},
    {"power", "power_settings_new"},
    {"app.badge", "rounded_corner"},
    {"app.badge.fill", "notifications"},
    {"square.grid.3x3", "grid_view"},
    {"sparkles", "auto_awesome"},
    {"textformat.size", "format_size"},
    {"character.bubble", "chat_bubble"},
    {"moon.fill", "bedtime"},
    {"square.stack.3d.up.fill", "layers"},
    {"gear", "settings_applications"},
    {"lifepreserver", "support"},
    {"book.fill", "menu_book"},
    {"hand.tap.fill", "touch_app"},
    {"arrow.clockwise", "refresh"},
    {"photo", "image"},
    {"person.crop.circle.fill", "account_circle"},
};

}  // namespace

void ExampleTweakSymbols::registerOnce() {
    static const bool registered = [] {
        for (const auto& [name, ligature] : kSymbols) {
            if (!gfx::SymbolImage::registerName(name, ligature))
                base::Log::line(std::string("ExampleTweak: no icon glyph for symbol ") + name);
        }
        return true;
    }();
    (void)registered;
}
