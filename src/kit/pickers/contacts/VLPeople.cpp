#include "pickers/contacts/VLPeople.h"

#include <algorithm>

VLPeople VLPeople::fromContact(const sys::Contact& contact) {
    VLPeople people;
    people.firstName = contact.givenName.value_or("");
    people.lastName = contact.familyName.value_or("");
    people.identifier = contact.identifier;
    if (!contact.phoneNumbers.empty()) {
        std::string number = contact.phoneNumbers.back();
        std::erase(number, ' ');
        people.phone = std::move(number);
    }
    if (!contact.emailAddresses.empty()) people.email = contact.emailAddresses.back();
    if (!contact.imageData.empty()) {
        if (auto image = gfx::Image::decode(contact.imageData)) people.avatar = std::move(image).value();
    }
    return people;
}
