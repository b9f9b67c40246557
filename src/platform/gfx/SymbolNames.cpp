// Every system symbol the kit's screens and cells name, mapped onto Material Icons. A tweak's
// own symbol names go through SymbolImage::registerName, or into this table.
#include "gfx/SymbolNames.h"

#include <array>

namespace gfx {
namespace {

constexpr std::array kNames{
    // navigation and sheet headers
    SymbolName{"chevron.left", "chevron_left"},
    SymbolName{"xmark", "close"},
    SymbolName{"checkmark", "check"},
    SymbolName{"magnifyingglass", "search"},
    SymbolName{"keyboard.chevron.compact.down", "keyboard_hide"},
    SymbolName{"ellipsis.circle", "pending"},
    SymbolName{"person.crop.circle.fill.badge.checkmark", "how_to_reg"},
    // default symbols of the preference rows
    SymbolName{"paintpalette.fill", "palette"},
    SymbolName{"switch.2", "toggle_on"},
    SymbolName{"textformat", "text_format"},
    SymbolName{"note.text", "sticky_note_2"},
    SymbolName{"link", "link"},
    SymbolName{"apps.iphone", "apps"},
    SymbolName{"photo.on.rectangle.angled", "photo_library"},
    SymbolName{"photo.fill.on.rectangle.fill", "photo_library"},
    SymbolName{"face.smiling.fill", "emoji_emotions"},
    SymbolName{"slider.horizontal.below.square.fill.and.square", "tune"},
    SymbolName{"rectangle.grid.1x2.fill", "view_agenda"},
    SymbolName{"plusminus.circle.fill", "exposure"},
    SymbolName{"list.bullet.below.rectangle", "featured_play_list"},
    SymbolName{"checkmark.square.fill", "check_box"},
    SymbolName{"xmark.square.fill", "disabled_by_default"},
    // home screen, tutorial and changelog
    SymbolName{"play.fill", "play_arrow"},
    SymbolName{"questionmark.circle.fill", "help"},
    SymbolName{"shippingbox.fill", "inventory_2"},
    SymbolName{"ant.fill", "bug_report"},
    SymbolName{"wand.and.stars", "auto_fix_high"},
    // the host application's tabs
    SymbolName{"bag.fill", "store"},
    SymbolName{"gearshape.fill", "settings"},
    SymbolName{"hands.sparkles.fill", "clean_hands"},
};

}  // namespace

std::span<const SymbolName> builtInSymbolNames() { return kNames; }

}  // namespace gfx
