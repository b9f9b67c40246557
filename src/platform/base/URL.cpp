#include "base/URL.h"

#include <arpa/inet.h>

#include <algorithm>

#include "base/Strings.h"
#include "base/Utf8.h"

namespace base {
namespace {

bool isAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isHexDigit(char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
int hexValue(char c) { return isDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10; }

bool isUnreserved(char c) { return isAlpha(c) || isDigit(c) || c == '-' || c == '.' || c == '_' || c == '~'; }
bool isSubDelimiter(char c) { return std::string_view("!$&'()*+,;=").find(c) != std::string_view::npos; }

bool isAllowed(char c, URL::Allowed allowed) {
    if (isUnreserved(c) || isSubDelimiter(c)) return true;
    switch (allowed) {
        case URL::Allowed::UserInfo:
            return c == ':';
        case URL::Allowed::Host:
            return false;
        case URL::Allowed::PathSegment:
            return c == ':' || c == '@';
        case URL::Allowed::Path:
            return c == ':' || c == '@' || c == '/';
        case URL::Allowed::Query:
        case URL::Allowed::Fragment:
            return c == ':' || c == '@' || c == '/' || c == '?';
    }
    return false;
}

// Every character is allowed in this part, or is the start of a well-formed "%XX".
bool isWellFormed(std::string_view text, URL::Allowed allowed) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%') {
            if (i + 2 >= text.size() || !isHexDigit(text[i + 1]) || !isHexDigit(text[i + 2])) return false;
            i += 2;
        } else if (!isAllowed(text[i], allowed)) {
            return false;
        }
    }
    return true;
}

std::optional<std::string> parseScheme(std::string_view text) {
    if (text.empty() || !isAlpha(text[0])) return std::nullopt;
    for (char c : text) {
        if (!isAlpha(c) && !isDigit(c) && c != '+' && c != '-' && c != '.') return std::nullopt;
    }
    return std::string(text);
}

// Nothing for an empty port (which the generic syntax allows), an error for anything else
// that is not a number from 0 to 65535.
bool parsePort(std::string_view text, std::optional<std::uint16_t>& port) {
    if (text.empty()) return true;
    if (text.size() > 5 || !std::all_of(text.begin(), text.end(), isDigit)) return false;
    unsigned value = 0;
    for (char c : text) value = value * 10 + unsigned(c - '0');
    if (value > 65535) return false;
    port = std::uint16_t(value);
    return true;
}

bool isIPv6Literal(std::string_view text) {
    if (text.size() > 45) return false;  // the longest form: eight groups with an IPv4 tail
    std::string terminated(text);
    in6_addr address;
    return inet_pton(AF_INET6, terminated.c_str(), &address) == 1;
}

}  // namespace

std::optional<URL> URL::parse(std::string_view text) {
    URL url;

    // 1. The scheme, up to the first ":".
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    auto scheme = parseScheme(text.substr(0, colon));
    if (!scheme) return std::nullopt;
    url.scheme_ = std::move(*scheme);
    std::string_view rest = text.substr(colon + 1);

    // 2. The fragment after the first "#", then the query after the first "?".
    if (auto hash = rest.find('#'); hash != std::string_view::npos) {
        url.fragment_ = std::string(rest.substr(hash + 1));
        if (!isWellFormed(*url.fragment_, Allowed::Fragment)) return std::nullopt;
        rest = rest.substr(0, hash);
    }
    if (auto question = rest.find('?'); question != std::string_view::npos) {
        url.query_ = std::string(rest.substr(question + 1));
        if (!isWellFormed(*url.query_, Allowed::Query)) return std::nullopt;
        rest = rest.substr(0, question);
    }

    // 3. The authority after "//", up to the path.
    if (rest.starts_with("//")) {
        rest.remove_prefix(2);
        const auto slash = rest.find('/');
        std::string_view authority = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash);

        if (auto at = authority.rfind('@'); at != std::string_view::npos) {
            url.userInfo_ = std::string(authority.substr(0, at));
            if (!isWellFormed(*url.userInfo_, Allowed::UserInfo)) return std::nullopt;
            authority.remove_prefix(at + 1);
        }
        std::string_view host = authority, port;
        if (authority.starts_with('[')) {
            const auto close = authority.find(']');
            if (close == std::string_view::npos) return std::nullopt;
            host = authority.substr(1, close - 1);
            if (!isIPv6Literal(host)) return std::nullopt;
            std::string_view after = authority.substr(close + 1);
            if (!after.empty() && !after.starts_with(':')) return std::nullopt;
            if (!after.empty()) port = after.substr(1);
        } else {
            if (auto portColon = authority.rfind(':'); portColon != std::string_view::npos) {
                host = authority.substr(0, portColon);
                port = authority.substr(portColon + 1);
            }
            if (!isWellFormed(host, Allowed::Host)) return std::nullopt;
        }
        if (!parsePort(port, url.port_)) return std::nullopt;
        url.host_ = std::string(host);
    }

    // 4. What is left is the path.
    if (!isWellFormed(rest, Allowed::Path)) return std::nullopt;
    url.path_ = std::string(rest);
    return url;
}

std::optional<std::string> URL::user() const {
    if (!userInfo_) return std::nullopt;
    return userInfo_->substr(0, userInfo_->find(':'));
}

std::optional<std::string> URL::password() const {
    if (!userInfo_) return std::nullopt;
    const auto colon = userInfo_->find(':');
    if (colon == std::string::npos) return std::nullopt;
    return userInfo_->substr(colon + 1);
}

std::string URL::absoluteString() const {
    std::string text = scheme_ + ':';
    if (host_) {
        text += "//";
        if (userInfo_) text += *userInfo_ + '@';
        const bool isIPv6 = host_->find(':') != std::string::npos;
        text += isIPv6 ? '[' + *host_ + ']' : *host_;
        if (port_) text += ':' + std::to_string(*port_);
    }
    text += path_;
    if (query_) text += '?' + *query_;
    if (fragment_) text += '#' + *fragment_;
    return text;
}

URL URL::appendingPathComponent(std::string_view component) const {
    URL url = *this;
    // With an authority the path must start with "/"; without one it may start with the segment.
    if (url.path_.empty() ? url.host_.has_value() : url.path_.back() != '/') url.path_ += '/';
    url.path_ += percentEncoded(component, Allowed::PathSegment);
    return url;
}

std::string URL::percentEncoded(std::string_view text, Allowed allowed) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(text.size());
    for (char c : text) {
        if (isAllowed(c, allowed)) {
            encoded += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            encoded += '%';
            encoded += kHexDigits[byte >> 4];
            encoded += kHexDigits[byte & 0x0F];
        }
    }
    return encoded;
}

std::optional<std::string> URL::percentDecoded(std::string_view text) {
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            decoded += text[i];
            continue;
        }
        if (i + 2 >= text.size() || !isHexDigit(text[i + 1]) || !isHexDigit(text[i + 2])) return std::nullopt;
        decoded += char(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
        i += 2;
    }
    if (!Utf8::isValid(decoded)) return std::nullopt;
    return decoded;
}

}  // namespace base
