// vellium prefs: read, write, list, watch, reset, export and import a tweak's preference file
// from scripts and from a tweak's own process, through the same store the settings screens use.

#include <climits>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>

#include "ArgumentList.h"
#include "Command.h"
#include "PrefsDocument.h"
#include "PrefsValueText.h"
#include "TerminationSignals.h"
#include "TweakBundle.h"
#include "base/DistributedNotificationCenter.h"
#include "base/Log.h"
#include "base/PropertyList.h"
#include "base/RunLoop.h"
#include "store/VLColourString.h"
#include "store/VLPrefsManager.h"
#include "store/VLPrefsPaths.h"
#include "store/VLStorableValue.h"

namespace {

std::string checkedIdentifier(ArgumentList& arguments) {
    std::string id = arguments.takePositional("ID");
    if (!VLPrefsPaths::isSafeSegment(id))
        throw UsageError("not a usable preference identifier: \"" + id + "\"");
    return id;
}

std::string checkedKey(ArgumentList& arguments) {
    std::string key = arguments.takePositional("KEY");
    if (!VLStorableValue::isStorableString(key)) throw UsageError("not a usable key: \"" + key + "\"");
    return key;
}

template <typename T>
T orUsageError(std::optional<T> parsed, const std::string& error) {
    if (!parsed) throw UsageError(error);
    return std::move(*parsed);
}

std::string changeNotificationName(const std::string& id) { return id + "/PrefsChanged"; }

// Tells the tweak's running code to re-read its file. Without a session bus the centre
// logs one line and the value stays written.
void postChange(const std::string& id) {
    base::DistributedNotificationCenter::defaultCenter().post(changeNotificationName(id));
}

base::Data dataArgument(const std::string& text) {
    std::string error;
    if (!text.starts_with('@')) return orUsageError(PrefsValueText::parseHex(text, error), error);
    std::ifstream file(text.substr(1), std::ios::binary);
    if (!file) throw UsageError("cannot read " + text.substr(1));
    return base::Data(std::istreambuf_iterator<char>(file), {});
}

// The value VALUE stands for under the type TYPE, as the store's typed setter would store it.
base::Value typedValue(const std::string& type, const std::string& text) {
    std::string error;
    if (type == "bool") return orUsageError(PrefsValueText::parseBool(text, error), error);
    if (type == "int") {
        auto value = PrefsValueText::parseInteger(text, INT32_MIN, INT32_MAX, error);
        return static_cast<std::int32_t>(orUsageError(value, error));
    }
    if (type == "integer") {
        return static_cast<long long>(
            orUsageError(PrefsValueText::parseInteger(text, INT64_MIN, INT64_MAX, error), error));
    }
    if (type == "float")
        return static_cast<long long>(orUsageError(PrefsValueText::parseWholeNumber(text, error), error));
    if (type == "string") {
        if (!VLStorableValue::isStorableString(text)) throw UsageError("the text cannot be stored");
        return text;
    }
    if (type == "date") return orUsageError(PrefsValueText::parseDate(text, error), error);
    if (type == "data") return dataArgument(text);
    if (type == "colour" || type == "color") {
        auto colour = VLColourString::parseHexString(text);
        if (!colour) throw UsageError("not a colour string (six hexadecimal digits such as FF8000): " + text);
        return VLColourString::hexStringFromColor(*colour);
    }
    throw UsageError("unknown type " + type + " (bool, int, integer, float, string, date, data, colour)");
}

// Writes one entry (an absent value removes it) and posts the change when asked. The store
// has logged why a write failed; the exit status comes from its result alone.
int storeAndNotify(const std::string& id, const std::string& key, const base::Value& value, bool notify) {
    if (!VLPrefsManager::sharedInstance().store(key, value, id)) return 1;
    if (notify) postChange(id);
    return 0;
}

int runGet(ArgumentList& arguments) {
    std::string id = checkedIdentifier(arguments);
    std::string key = checkedKey(arguments);
    arguments.expectEnd();
    base::Value value = VLPrefsManager::sharedInstance().objectForKey(key, id);
    if (value.isAbsent()) return 1;
    std::cout << PrefsValueText::format(value) << "\n";
    return 0;
}

int runSet(ArgumentList& arguments) {
    bool notify = !arguments.takeFlag("no-notify");
    std::optional<std::string> type = arguments.takeOption("type");
    std::optional<std::string> json = arguments.takeOption("json");
    std::string id = checkedIdentifier(arguments);
    std::string key = checkedKey(arguments);
    if (json) {
        if (type) throw UsageError("--json and --type exclude each other");
        arguments.expectEnd();
        std::string error;
        base::Value value = orUsageError(PrefsValueText::parseJson(*json, error), error);
        if (!VLStorableValue::isStorable(value)) throw UsageError("the value cannot be stored");
        return storeAndNotify(id, key, value, notify);
    }
    std::string text = arguments.takePositional("VALUE");
    arguments.expectEnd();
    return storeAndNotify(id, key, typedValue(type.value_or("string"), text), notify);
}

int runDelete(ArgumentList& arguments) {
    bool notify = !arguments.takeFlag("no-notify");
    std::string id = checkedIdentifier(arguments);
    std::string key = checkedKey(arguments);
    arguments.expectEnd();
    return storeAndNotify(id, key, base::Value(), notify);
}

int runList(ArgumentList& arguments) {
    bool json = arguments.takeFlag("json");
    std::string id = checkedIdentifier(arguments);
    arguments.expectEnd();
    base::Value entries = VLPrefsManager::sharedInstance().allEntries(id);
    if (json) {
        std::cout << PrefsValueText::toJson(
                         entries.isAbsent() ? base::Value(base::Value::Dictionary{}) : entries, true)
                  << "\n";
    } else if (const auto* dictionary = entries.asDictionary()) {
        for (const auto& [key, value] : *dictionary)
            std::cout << key << " = " << PrefsValueText::format(value) << "\n";
    }
    return 0;
}

// `--document DOC --bundle NAME`, both or neither: the document whose value rows limit a
// reset or check an import.
std::optional<PrefsDocument> documentOption(ArgumentList& arguments) {
    auto document = arguments.takeOption("document");
    auto bundle = arguments.takeOption("bundle");
    if (!document && !bundle) return std::nullopt;
    if (!document || !bundle) throw UsageError("--document and --bundle go together");
    if (!TweakBundle::isPlainName(*document) || !TweakBundle::isPlainName(*bundle))
        throw UsageError("--document and --bundle take plain names");
    auto opened = PrefsDocument::open(*bundle, *document);
    if (!opened) throw UsageError(opened.error().description);
    return std::move(opened.value());
}

std::vector<std::string> storedKeys(const std::string& id) {
    std::vector<std::string> keys;
    const base::Value entries = VLPrefsManager::sharedInstance().allEntries(id);
    if (const auto* dictionary = entries.asDictionary()) {
        for (const auto& [key, value] : *dictionary) keys.push_back(key);
    }
    return keys;
}

// Writes every entry (absent values remove theirs), then posts one change for them all.
int storeAllAndNotify(const std::string& id, const base::Value::Dictionary& entries) {
    bool stored = true;
    for (const auto& [key, value] : entries)
        stored = VLPrefsManager::sharedInstance().store(key, value, id).ok() && stored;
    postChange(id);
    return stored ? 0 : 1;
}

int runReset(ArgumentList& arguments) {
    auto document = documentOption(arguments);
    std::string id = checkedIdentifier(arguments);
    arguments.expectEnd();
    base::Value::Dictionary removals;
    if (document) {
        for (const auto& row : document->rowsStoringInto(id)) removals.emplace(row.key, base::Value());
    } else {
        for (const auto& key : storedKeys(id)) removals.emplace(key, base::Value());
    }
    return storeAllAndNotify(id, removals);
}

int runExport(ArgumentList& arguments) {
    std::string id = checkedIdentifier(arguments);
    arguments.expectEnd();
    base::Value entries = VLPrefsManager::sharedInstance().allEntries(id);
    if (!entries.asDictionary()) entries = base::Value::Dictionary{};
    auto xml = base::PropertyList::serialize(entries, base::PropertyList::Format::Xml);
    if (!xml) {
        std::cerr << "vellium: " << xml.error().description << "\n";
        return 1;
    }
    std::cout.write(reinterpret_cast<const char*>(xml.value().data()),
                    static_cast<std::streamsize>(xml.value().size()));
    return 0;
}

// The entries of an import file that a document's rows refuse, one line each; empty when all fit.
std::string misfits(const base::Value::Dictionary& entries, const PrefsDocument& document,
                    const std::string& id) {
    std::string lines;
    for (const auto& [key, value] : entries) {
        const auto* row = document.rowFor(key, id);
        if (row && !PrefsDocument::fits(row->cellType, value))
            lines += "vellium: " + key + ": a " + row->cellType + " row does not store " +
                     PrefsValueText::format(value) + "\n";
    }
    return lines;
}

int runImport(ArgumentList& arguments) {
    auto document = documentOption(arguments);
    std::string id = checkedIdentifier(arguments);
    std::string path = arguments.takePositional("FILE");
    arguments.expectEnd();
    auto contents = base::PropertyList::readFile(path);
    const auto* entries = contents ? contents.value().asDictionary() : nullptr;
    if (!entries) {
        std::cerr << "vellium: " << path
                  << " is not a property list with a dictionary at its root; nothing imported\n";
        return 1;
    }
    for (const auto& [key, value] : *entries) {
        if (!VLStorableValue::isStorableString(key) || !VLStorableValue::isStorable(value)) {
            std::cerr << "vellium: the entry \"" << key << "\" cannot be stored; nothing imported\n";
            return 1;
        }
    }
    if (std::string refused = document ? misfits(*entries, *document, id) : ""; !refused.empty()) {
        std::cerr << refused << "vellium: nothing imported\n";
        return 1;
    }
    return storeAllAndNotify(id, *entries);
}

int runNotifyChange(ArgumentList& arguments) {
    std::string id = checkedIdentifier(arguments);
    arguments.expectEnd();
    postChange(id);
    return 0;
}

// The entries that differ between two readings of a file, one line each.
void printChanges(const base::Value& before, const base::Value& after) {
    static const base::Value::Dictionary kEmpty;
    const auto& old = before.asDictionary() ? *before.asDictionary() : kEmpty;
    const auto& now = after.asDictionary() ? *after.asDictionary() : kEmpty;
    for (const auto& [key, value] : now) {
        if (before[key] != value) std::cout << "  " << key << " = " << PrefsValueText::format(value) << "\n";
    }
    for (const auto& [key, value] : old) {
        if (after[key].isAbsent()) std::cout << "  " << key << " removed\n";
    }
}

int runWatch(ArgumentList& arguments) {
    bool values = arguments.takeFlag("values");
    long long remaining = -1;  // until interrupted
    if (auto count = arguments.takeOption("count")) {
        std::string error;
        remaining =
            orUsageError(PrefsValueText::parseInteger(*count, 1, LLONG_MAX, error), "--count: " + error);
    }
    std::string id = checkedIdentifier(arguments);
    arguments.expectEnd();

    VLPrefsManager& prefs = VLPrefsManager::sharedInstance();
    base::Value entries = prefs.allEntries(id);
    base::RunLoop& loop = base::RunLoop::main();
    std::string name = changeNotificationName(id);
    auto observation = base::DistributedNotificationCenter::defaultCenter().addObserver(
        name, [&](const base::Notification& notification) {
            std::cout << notification.name << "\n";
            if (values) {
                base::Value now = prefs.allEntries(id);
                printChanges(entries, now);
                entries = std::move(now);
            }
            std::cout << std::flush;
            if (remaining > 0 && --remaining == 0) loop.stop();
        });
    if (!observation) {
        std::cerr << "vellium: " << observation.error().description << "\n";
        return 1;
    }
    std::cerr << "vellium: watching " << name << std::endl;
    TerminationSignals signals;
    signals.stopOnArrival(loop);
    loop.run();
    return 0;
}

}  // namespace

int runPrefs(std::span<const std::string> words) {
    ArgumentList arguments(words);
    std::string action = arguments.takePositional("ACTION");
    if (action == "get") return runGet(arguments);
    if (action == "set") return runSet(arguments);
    if (action == "delete") return runDelete(arguments);
    if (action == "list") return runList(arguments);
    if (action == "watch") return runWatch(arguments);
    if (action == "notify") return runNotifyChange(arguments);
    if (action == "reset") return runReset(arguments);
    if (action == "export") return runExport(arguments);
    if (action == "import") return runImport(arguments);
    throw UsageError("unknown prefs action " + action);
}
