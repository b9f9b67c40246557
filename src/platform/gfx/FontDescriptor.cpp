#include "gfx/FontDescriptor.h"

#include <array>
#include <cmath>

#include "base/PropertyList.h"

namespace gfx {
namespace {

using base::Value;

constexpr const char* kArchiver = "NSKeyedArchiver";
constexpr long long kArchiveVersion = 100000;
constexpr const char* kDescriptorClass = "UIFontDescriptor";
constexpr const char* kAttributesKey = "UIFontDescriptorAttributes";
constexpr const char* kFamilyKey = "NSFontFamilyAttribute";
constexpr const char* kFaceKey = "NSFontFaceAttribute";
constexpr const char* kWeightKey = "NSFontWeightTrait";
constexpr const char* kSlantKey = "NSFontSlantTrait";
constexpr const char* kUidKey = "CF$UID";
// Archives beyond this are not font descriptors, whatever they hold.
constexpr std::size_t kMaximumArchiveSize = 64 * 1024;

// The platform's weight numbers for the weights the kit draws with.
constexpr std::array<std::pair<FontWeight, double>, 5> kWeights{{
    {FontWeight::Regular, 0.0},
    {FontWeight::Medium, 0.23},
    {FontWeight::Semibold, 0.3},
    {FontWeight::Bold, 0.4},
    {FontWeight::Heavy, 0.56},
}};

double weightNumber(FontWeight weight) {
    for (auto [w, number] : kWeights) {
        if (w == weight) return number;
    }
    return 0.0;
}

FontWeight nearestWeight(double number) {
    FontWeight best = FontWeight::Regular;
    double distance = INFINITY;
    for (auto [w, value] : kWeights) {
        if (std::fabs(value - number) < distance) {
            distance = std::fabs(value - number);
            best = w;
        }
    }
    return best;
}

Value reference(long long index) { return Value(Value::Dictionary{{kUidKey, Value(index)}}); }

Value classRecord(const char* name) {
    return Value(Value::Dictionary{{"$classname", Value(name)},
                                   {"$classes", Value(Value::Array{Value(name), Value("NSObject")})}});
}

// Reads archives back, following object references with bounds checks at every step.
class ArchiveReader {
public:
    explicit ArchiveReader(const Value& root) : root_(root), objects_(root["$objects"].asArray()) {}

    std::optional<FontDescriptor> read() const {
        const std::string* archiver = root_["$archiver"].asString();
        if (!archiver || *archiver != kArchiver || !objects_) return std::nullopt;
        const Value* descriptor = resolve(root_["$top"]["root"]);
        if (!descriptor || !descriptor->asDictionary() || !isClass(*descriptor, kDescriptorClass))
            return std::nullopt;
        const Value* attributes = resolve((*descriptor)[kAttributesKey]);
        if (!attributes) return std::nullopt;
        return descriptorFrom(*attributes);
    }

private:
    // {"CF$UID": n} with n inside "$objects", and not the "$null" at index 0.
    const Value* resolve(const Value& ref) const {
        const Value::Dictionary* dictionary = ref.asDictionary();
        if (!dictionary || dictionary->size() != 1) return nullptr;
        const Value& index = ref[kUidKey];
        if (index.type() != Value::Type::Integer || index.isUnsignedInteger()) return nullptr;
        long long i = index.longLongValue();
        if (i <= 0 || static_cast<unsigned long long>(i) >= objects_->size()) return nullptr;
        return &(*objects_)[std::size_t(i)];
    }

    bool isClass(const Value& object, const char* name) const {
        const Value* record = resolve(object["$class"]);
        const std::string* className = record ? (*record)["$classname"].asString() : nullptr;
        return className && *className == name;
    }

    std::optional<FontDescriptor> descriptorFrom(const Value& attributes) const {
        const Value::Array* keys = attributes["NS.keys"].asArray();
        const Value::Array* values = attributes["NS.objects"].asArray();
        if (!keys || !values || keys->size() != values->size()) return std::nullopt;
        std::optional<std::string> family, face;
        double weight = 0, slant = FontDescriptor::kUpright;
        for (std::size_t i = 0; i < keys->size(); ++i) {
            const Value* key = resolve((*keys)[i]);
            const Value* value = resolve((*values)[i]);
            const std::string* name = key ? key->asString() : nullptr;
            if (!name || !value) return std::nullopt;
            if (*name == kFamilyKey && value->asString()) family = *value->asString();
            if (*name == kFaceKey && value->asString()) face = *value->asString();
            if (*name == kWeightKey && value->isNumber()) weight = value->doubleValue();
            if (*name == kSlantKey && value->isNumber()) slant = value->doubleValue();
        }
        // Font names never hold NUL characters; a name that does is not a font's.
        if (!family || family->empty() || family->find('\0') != std::string::npos) return std::nullopt;
        if ((face && face->find('\0') != std::string::npos) || !std::isfinite(weight) ||
            !std::isfinite(slant)) {
            return std::nullopt;
        }
        return FontDescriptor(*family, face.value_or(""), nearestWeight(weight), slant);
    }

    const Value& root_;
    const Value::Array* objects_;
};

}  // namespace

FontDescriptor::FontDescriptor(std::string family, std::string face, FontWeight weight, double slant)
    : family_(std::move(family)), face_(std::move(face)), weight_(weight), slant_(slant) {}

FontDescriptor FontDescriptor::describing(const Font& font) {
    bool italic = font.face().find("Italic") != std::string::npos;
    return FontDescriptor(font.family(), font.face(), font.weight(), italic ? 0.07 : kUpright);
}

std::optional<Font> FontDescriptor::fontWithSize(double pointSize) const {
    std::string face = face_;
    if (slant_ != kUpright && face.find("Italic") == std::string::npos)
        face += face.empty() ? "Italic" : " Italic";
    return Font::named(family_, pointSize, weight_, face);
}

base::Result<base::Data> FontDescriptor::archive() const {
    // $objects: 0 "$null", 1 descriptor, 2 attributes, 3-6 keys, 7-10 values, 11-12 classes.
    Value::Array objects{
        Value("$null"),
        Value(Value::Dictionary{{"$class", reference(11)}, {kAttributesKey, reference(2)}}),
        Value(Value::Dictionary{
            {"NS.keys", Value(Value::Array{reference(3), reference(4), reference(5), reference(6)})},
            {"NS.objects", Value(Value::Array{reference(7), reference(8), reference(9), reference(10)})},
            {"$class", reference(12)}}),
        Value(kFamilyKey),
        Value(kFaceKey),
        Value(kWeightKey),
        Value(kSlantKey),
        Value(family_),
        Value(face_),
        Value(weightNumber(weight_)),
        Value(slant_),
        classRecord(kDescriptorClass),
        classRecord("NSDictionary"),
    };
    Value archive(Value::Dictionary{
        {"$archiver", Value(kArchiver)},
        {"$version", Value(kArchiveVersion)},
        {"$top", Value(Value::Dictionary{{"root", reference(1)}})},
        {"$objects", Value(std::move(objects))},
    });
    return base::PropertyList::serialize(archive, base::PropertyList::Format::Binary);
}

std::optional<FontDescriptor> FontDescriptor::unarchive(std::span<const std::uint8_t> bytes) {
    if (bytes.empty() || bytes.size() > kMaximumArchiveSize) return std::nullopt;
    auto parsed = base::PropertyList::parse(bytes);
    if (!parsed) return std::nullopt;
    return ArchiveReader(parsed.value()).read();
}

}  // namespace gfx
