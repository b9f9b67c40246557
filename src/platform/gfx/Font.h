#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace gfx {

enum class FontWeight { Regular, Medium, Semibold, Bold, Heavy };

struct FontMetrics {
    double ascent = 0;      // points above the baseline
    double descent = 0;     // points below the baseline (positive)
    double lineHeight = 0;  // distance between baselines of consecutive lines
};

// A font: family, point size, weight and optionally a face name ("Italic", "Bold Italic").
// Fonts come from the kit's own font set (see FontLibrary), never from whatever else a
// machine has installed, so text renders the same everywhere. Copies are cheap.
class Font {
public:
    static constexpr const char* kSystemFamily = "Inter";

    // The system font (Inter, falling back to Noto Color Emoji for emoji).
    static Font system(double pointSize, FontWeight weight = FontWeight::Regular);
    // A font of an installed family, or nothing when the kit has no such family.
    static std::optional<Font> named(const std::string& family, double pointSize,
                                     FontWeight weight = FontWeight::Regular, const std::string& face = {});
    // Families the kit can draw with, sorted.
    static std::vector<std::string> familyNames();
    // The face names of an installed family ("Regular", "Bold Italic", ...), sorted; none for
    // a family the kit does not have.
    static std::vector<std::string> faceNames(const std::string& family);

    const std::string& family() const;
    double pointSize() const;
    FontWeight weight() const;
    const std::string& face() const;
    Font withSize(double pointSize) const;

    FontMetrics metrics() const;

    bool operator==(const Font& other) const;

    // Internal: the resolved font shared by copies.
    struct Resolved;
    const Resolved& resolved() const { return *resolved_; }

private:
    explicit Font(std::shared_ptr<const Resolved> resolved) : resolved_(std::move(resolved)) {}
    static Font make(std::string family, double pointSize, FontWeight weight, std::string face);
    std::shared_ptr<const Resolved> resolved_;
};

}  // namespace gfx
