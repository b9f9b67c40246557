#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "gfx/Color.h"

// The colour string format colour rows store: six upper-case hexadecimal digits, red,
// green, blue, no prefix and no alpha ("FF8000" is orange). Every decoder and the encoder
// live here.
//
// The hexadecimal rule: trim white space and line breaks from both ends, upper-case; a
// text of five characters or fewer is grey; drop a leading "0X"; exactly six characters
// remain, read as three pairs, or the colour is grey. A pair is read by its leading
// hexadecimal digits ("F" of "FZ" is 15); a pair that does not begin with a hexadecimal
// digit makes the whole colour grey. "#FF8000" has seven characters and is grey.
class VLColourString {
public:
    // The colour by the hexadecimal rule, or nothing where the rule gives grey.
    static std::optional<gfx::Color> parseHexString(std::string_view text);
    // The colour by the hexadecimal rule; grey (white 0.5) for anything else.
    static gfx::Color colorWithHexString(std::string_view text);
    // The preference list's decoder: first the colour words ("red", "orange", "yellow",
    // "green", "blue", "teal", "indigo", "purple", "pink", "default", "tertiary"),
    // compared exactly with the untrimmed text, then the hexadecimal rule.
    static gfx::Color colorWithListString(std::string_view text);

    // Six upper-case digits for the colour's red, green and blue, each scaled by 255 and
    // rounded half away from zero; alpha is dropped. Components outside 0..1 (or not a
    // number) are clamped first, so the result always decodes.
    static std::string hexStringFromColor(const gfx::Color& colour);
};
