#pragma once

#include <optional>
#include <span>
#include <string>

#include "base/Result.h"
#include "base/Value.h"
#include "gfx/Font.h"

namespace gfx {

// What a font picker hands back: a family, a face, a weight and a slant, without a size.
// Stored settings keep it as a keyed archive: a binary property list with "$archiver",
// "$version", "$top" (whose "root" refers to the descriptor) and "$objects" holding "$null",
// the descriptor (with its "$class" record) and its attributes dictionary. Object references
// are {"CF$UID": index} dictionaries; the platform's binary UID type reads the same.
class FontDescriptor {
public:
    static constexpr double kUpright = 0.0;

    FontDescriptor(std::string family, std::string face = {}, FontWeight weight = FontWeight::Regular,
                   double slant = kUpright);
    static FontDescriptor describing(const Font& font);

    const std::string& family() const { return family_; }
    const std::string& face() const { return face_; }
    FontWeight weight() const { return weight_; }
    double slant() const { return slant_; }

    // The font at `pointSize`, or nothing when the kit has no such family.
    std::optional<Font> fontWithSize(double pointSize) const;

    base::Result<base::Data> archive() const;
    // Bad, foreign or hostile data gives nothing; only descriptor archives are accepted.
    static std::optional<FontDescriptor> unarchive(std::span<const std::uint8_t> bytes);

    bool operator==(const FontDescriptor&) const = default;

private:
    std::string family_;
    std::string face_;
    FontWeight weight_ = FontWeight::Regular;
    double slant_ = kUpright;
};

}  // namespace gfx
