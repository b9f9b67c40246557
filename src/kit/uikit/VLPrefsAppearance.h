#pragma once

#include "gfx/Color.h"

// The kit's fixed palette. Every entry is a dynamic colour with a light and a dark member,
// resolved afresh for the appearance in force; each call returns a new colour.
class VLPrefsAppearance {
public:
    static gfx::Color primaryColour();
    static gfx::Color secondaryColour();
    static gfx::Color tertiaryColour();
    static gfx::Color lineColour();
    static gfx::Color cellSecondaryColour();
    static gfx::Color enabledColour();
    static gfx::Color enabledBorderColour();
    static gfx::Color enabledShadowColour();
    static gfx::Color disabledColour();
    static gfx::Color disabledBorderColour();
    static gfx::Color disabledShadowColour();
    // The platform's system teal, which adapts to the appearance by itself.
    static gfx::Color velliumAccentColour();
};
