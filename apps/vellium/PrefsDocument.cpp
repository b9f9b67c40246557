#include "PrefsDocument.h"

#include <algorithm>
#include <iterator>
#include <map>

#include "TweakBundle.h"
#include "base/PropertyList.h"

namespace {

enum class Stored { Boolean, Integer, Date, String, Data, StringArray };

// The row types that store a value, and what they store.
const std::map<std::string, Stored, std::less<>>& storedTypes() {
    static const std::map<std::string, Stored, std::less<>> kTypes{
        {"VLPrefsSwitchCell", Stored::Boolean},      {"VLPrefsSliderCell", Stored::Integer},
        {"VLPrefsSegmentCell", Stored::Integer},     {"VLPrefsStepperCell", Stored::Integer},
        {"VLPrefsDatePickerCell", Stored::Date},     {"VLPrefsTextFieldCell", Stored::String},
        {"VLPrefsColourPickerCell", Stored::String}, {"VLPrefsFontPickerCell", Stored::Data},
        {"VLPrefsImagePickerCell", Stored::Data},    {"VLPrefsAvatarPickerCell", Stored::Data},
        {"VLPrefsAppListCell", Stored::StringArray}, {"VLPrefsSingleSelectionCell", Stored::Integer},
    };
    return kTypes;
}

std::string textOf(const base::Value& row, const char* key) {
    const auto* text = row[key].asString();
    return text ? *text : std::string();
}

bool isStringArray(const base::Value& value) {
    const auto* array = value.asArray();
    return array &&
           std::all_of(array->begin(), array->end(), [](const base::Value& item) { return item.asString(); });
}

base::Error documentError(const std::string& description) {
    return base::Error{"vellium.PrefsDocument", 1, description};
}

}  // namespace

base::Result<PrefsDocument> PrefsDocument::open(const std::string& bundle, const std::string& document) {
    auto path = TweakBundle::directoryOf(bundle) / (document + ".plist");
    auto contents = base::PropertyList::readFile(path);
    if (!contents) return documentError("cannot read the document " + path.string());
    const auto* rows = contents.value()["Preferences"].asArray();
    if (!rows) return documentError(path.string() + " has no \"Preferences\" array");
    PrefsDocument opened;
    for (const base::Value& row : *rows) {
        ValueRow entry{textOf(row, "Key"), textOf(row, "BID"), textOf(row, "CellType")};
        if (!entry.key.empty() && !entry.identifier.empty() && storedTypes().count(entry.cellType))
            opened.rows_.push_back(std::move(entry));
    }
    return opened;
}

std::vector<PrefsDocument::ValueRow> PrefsDocument::rowsStoringInto(const std::string& identifier) const {
    std::vector<ValueRow> rows;
    std::copy_if(rows_.begin(), rows_.end(), std::back_inserter(rows),
                 [&](const ValueRow& row) { return row.identifier == identifier; });
    return rows;
}

const PrefsDocument::ValueRow* PrefsDocument::rowFor(const std::string& key,
                                                     const std::string& identifier) const {
    auto it = std::find_if(rows_.begin(), rows_.end(), [&](const ValueRow& row) {
        return row.key == key && row.identifier == identifier;
    });
    return it == rows_.end() ? nullptr : &*it;
}

bool PrefsDocument::fits(const std::string& cellType, const base::Value& value) {
    auto stored = storedTypes().find(cellType);
    if (stored == storedTypes().end()) return false;
    switch (stored->second) {
        case Stored::Boolean:
            return value.type() == base::Value::Type::Boolean;
        case Stored::Integer:
            return value.type() == base::Value::Type::Integer;
        case Stored::Date:
            return value.asDate() != nullptr;
        case Stored::String:
            return value.asString() != nullptr;
        case Stored::Data:
            return value.asData() != nullptr;
        case Stored::StringArray:
            return isStringArray(value);
    }
    return false;
}
