#pragma once

#include <optional>
#include <string>

#include "gfx/Image.h"
#include "sys/Contact.h"

// The details of one row of the contact picker, built when the row is shown or marked.
struct VLPeople {
    std::string firstName;
    std::string lastName;
    // The contact's last number with every space taken out (brackets and hyphens stay).
    std::optional<std::string> phone;
    std::optional<std::string> email;  // the last address
    std::string identifier;
    gfx::Image avatar;  // the contact's photo decoded, null without one or when it cannot be

    static VLPeople fromContact(const sys::Contact& contact);
    // "%@ %@" of first and last name, as rows and results show it.
    std::string fullName() const { return firstName + " " + lastName; }
};
