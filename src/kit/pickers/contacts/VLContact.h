#pragma once

#include <optional>
#include <string>

#include "gfx/Image.h"

// What the contact picker hands back: the marked contact's name, its last phone number and
// e-mail address, identifier and photo, with three flags a caller can test without looking
// at the values.
struct VLContact {
    std::string fullName;
    std::optional<std::string> phoneNumber;
    std::optional<std::string> emailAddress;
    std::string identifier;
    gfx::Image avatarImage;  // null without a photo
    // "+" anywhere in the number; an international prefix written "00" does not count.
    bool isPhoneNumberContainPrefix = false;
    bool isEmailAvailable = false;
    bool isAvatarAvailable = false;
};
