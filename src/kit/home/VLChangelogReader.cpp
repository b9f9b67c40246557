#include "home/VLChangelogReader.h"

#include "base/PropertyList.h"

namespace {

std::string text(const base::Value& value) {
    const std::string* string = value.asString();
    return string ? *string : std::string();
}

// The document writes a line break as the two characters backslash and n.
std::string withLineBreaks(std::string message) {
    for (std::size_t at = 0; (at = message.find("\\n", at)) != std::string::npos; ++at)
        message.replace(at, 2, "\n");
    return message;
}

base::Error failure(VLChangelogReader::ErrorCode code, std::string description) {
    return {VLChangelogReader::kErrorDomain, code, std::move(description)};
}

}  // namespace

base::Result<std::vector<VLChangelogRelease>> VLChangelogReader::read(
    std::span<const std::uint8_t> document) {
    auto parsed = base::PropertyList::parse(document);
    if (!parsed)
        return failure(NotAPropertyList, "changelog is not a property list: " + parsed.error().description);
    return releases(parsed.value());
}

base::Result<std::vector<VLChangelogRelease>> VLChangelogReader::releases(const base::Value& document) {
    const base::Value::Array* array = document.asArray();
    if (!array) return failure(NotAnArray, "changelog is not an array");
    if (array->empty()) return failure(NoReleases, "changelog holds no release");
    std::vector<VLChangelogRelease> result;
    result.reserve(array->size());
    for (const base::Value& element : *array) result.push_back(release(element));
    return result;
}

VLChangelogRelease VLChangelogReader::release(const base::Value& dictionary) {
    VLChangelogRelease release{text(dictionary["Date"]),
                               text(dictionary["Month"]),
                               text(dictionary["Year"]),
                               text(dictionary["Version"]),
                               {}};
    const base::Value::Array* descriptions = dictionary["ChangelogDescription"].asArray();
    if (!descriptions) return release;
    const base::Value& codes = dictionary["updateCategories"];
    const bool hasCodes = codes.asArray() != nullptr;
    release.entries.reserve(descriptions->size());
    for (std::size_t index = 0; index < descriptions->size(); ++index) {
        std::int32_t code = 0;
        if (hasCodes) code = index < codes.count() ? codes[index].intValue() : kNoCategory;
        release.entries.push_back({withLineBreaks(text((*descriptions)[index])), code});
    }
    return release;
}
