#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "base/SerialQueue.h"
#include "sys/Contact.h"

namespace sys {

// The user's address book: the vCard files (".vcf", one or more cards each) of one directory,
// the local address book of desktop contact tools. By default $XDG_DATA_HOME/contacts, else
// ~/.local/share/contacts; the host program may name another one (`--contacts DIR`).
//
// Access is the host program's decision: granted unless it says no (`--deny-contacts`).
// `requestAccess` answers on the store's own thread, never on the caller's, and the caller
// may go on to read the contacts right there. Files are read afresh on every enumeration; one
// that cannot be read or is larger than kMaximumFileBytes is skipped with a log line.
class ContactStore {
public:
    static constexpr std::uintmax_t kMaximumFileBytes = 64u << 20;
    static constexpr const char* kFileExtension = ".vcf";

    static std::shared_ptr<ContactStore> create();
    ~ContactStore();

    // Process-wide settings of the host program.
    static void setDirectory(std::filesystem::path directory);
    static std::filesystem::path directory();
    static void setAccessGranted(bool granted);
    static bool accessGranted();

    // Calls `completion` with the access decision on the store's thread.
    void requestAccess(std::function<void(bool granted)> completion);
    // Every contact of every file, files in name order, sorted by given name (byte order,
    // stable; contacts without one last). Empty without access.
    std::vector<Contact> enumerateContacts() const;
    // Blocks until every answer asked for so far has been given.
    void waitUntilIdle();

private:
    ContactStore();
    base::SerialQueue queue_;
};

}  // namespace sys
