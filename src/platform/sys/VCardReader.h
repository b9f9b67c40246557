#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sys/Contact.h"

namespace sys {

// Reads vCard 3.0 and 4.0 text (RFC 2426, RFC 6350): one or more cards between BEGIN:VCARD
// and END:VCARD. Lines are unfolded (a line break followed by a space or tab continues the
// line), group prefixes ("item1.TEL") and parameters are understood, and values are
// unescaped ("\,", "\;", "\n", "\\"). Of each card it keeps N (family and given name), FN
// (the given name of a card without N), NICKNAME (the first), every TEL and EMAIL, PHOTO
// (inline base64 in either version's form, or a data URI) and UID. A card without a UID gets
// "SOURCE#N", its source name and its position in the text.
//
// An empty component of N counts as no value. Bad input never stops the reader: a card that is
// not closed or is too large is skipped, and a photo that cannot be decoded is left out, each
// with a log line; lines that are not properties are ignored.
class VCardReader {
public:
    // A card's text is capped so that one file cannot hold the whole address book's memory.
    static constexpr std::size_t kMaximumCardBytes = 8u << 20;

    static std::vector<Contact> read(std::string_view text, const std::string& sourceName);
};

}  // namespace sys
