#pragma once

#include <string>
#include <vector>

#include "base/Result.h"
#include "base/Value.h"

// A tweak's settings document as the command line reads it, without loading the bundle's
// code: "/var/QZN/Vellium/Preferences/BUNDLEPrefs.bundle/DOCUMENT.plist" under the root, and
// the value rows of its "Preferences" array (a "Key", a "BID" and a "CellType" that stores a
// value).
class PrefsDocument {
public:
    struct ValueRow {
        std::string key;
        std::string identifier;  // the row's "BID"
        std::string cellType;
    };

    static base::Result<PrefsDocument> open(const std::string& bundle, const std::string& document);

    // The value rows that store into `identifier`, in document order.
    std::vector<ValueRow> rowsStoringInto(const std::string& identifier) const;
    // The row of `identifier` that stores `key`; null when the document writes no such key.
    const ValueRow* rowFor(const std::string& key, const std::string& identifier) const;

    // Whether `value` has the type a row of `cellType` stores (a switch a boolean, a slider,
    // stepper, segment or single choice an integer, a date a date, a text or colour a string,
    // a font, image or avatar data, an application list an array of strings).
    static bool fits(const std::string& cellType, const base::Value& value);

private:
    std::vector<ValueRow> rows_;
};
