#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gfx/Color.h"
#include "pickers/contacts/VLContact.h"
#include "pickers/contacts/VLContactPickerDelegate.h"
#include "pickers/contacts/VLPeople.h"
#include "sys/Contact.h"
#include "sys/ContactStore.h"
#include "ui/TableView.h"
#include "ui/ViewController.h"
#include "uikit/VLHeaderView.h"

// A sheet that lists the address book's contacts under the first letter of their names, with
// a section index, lets the user mark one and hands it back as a VLContact.
//
// Contacts come from sys::ContactStore: access is asked for when the view loads, and the
// fetch and grouping run on the store's thread; the sections are published and the table
// reloaded together on the main run loop, so the table never sees a half-built list. Denied
// access, or an empty address book, leaves the list empty and reports nothing.
//
// A contact is filed under the upper-cased first character of its given name (its nickname,
// then its family name, when it has no given name at all); one whose chosen name is empty is
// left out. Sections are ordered by character code, so accented capitals follow Z. Marking a
// row arms the confirm button and makes the sheet modal; confirming reports the contact,
// cancelling reports the cancel, and both dismiss the sheet.
class VLContactPickerViewController : public ui::ViewController,
                                      public ui::TableViewDataSource,
                                      public ui::TableViewDelegate {
public:
    static constexpr double kHeaderHeight = 65;
    static constexpr double kRowHeight = 75;
    static constexpr double kTableTopInset = 55;
    static constexpr double kAvatarSide = 50;
    static constexpr const char* kCellIdentifier = "Cell";
    static constexpr const char* kNoPhoneNumberText = "No phone number available";
    static constexpr const char* kNoEmailText = "No email address available";

    struct Section {
        std::string title;
        std::vector<std::shared_ptr<const sys::Contact>> contacts;
    };
    using Sections = std::vector<Section>;
    using Contacts = std::vector<std::shared_ptr<const sys::Contact>>;

    // initWithTitle:accentColour:
    static std::shared_ptr<VLContactPickerViewController> create(std::string titleString,
                                                                 gfx::Color accentColour);

    const std::string& titleString() const { return titleString_; }
    const gfx::Color& accentColour() const { return accentColour_; }
    std::shared_ptr<VLContactPickerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<VLContactPickerDelegate>& delegate) { delegate_ = delegate; }
    const VLContact& vlcontact() const { return vlcontact_; }
    const Sections& sortedContacts() const { return sortedContacts_; }
    // The first grouping, the whole address book; empty until the contacts have arrived.
    const Sections& allContacts() const { return allContacts_ ? *allContacts_ : kNoSections; }
    const Sections& contactsArray() const { return contactsArray_; }
    bool didSelectedContact() const { return didSelectedContact_; }
    std::int64_t selectedSection() const { return selectedSection_; }
    std::int64_t selectedIndex() const { return selectedIndex_; }
    // Null until the view is loaded.
    const std::shared_ptr<VLHeaderView>& headerView() const { return headerView_; }
    const std::shared_ptr<ui::TableView>& tableView() const { return tableView_; }

    // Filters the whole list by a text found in a name (case-insensitive); empty shows all.
    void updateSearchResult(const std::string& text);
    void getContactsData();
    // Groups on the calling thread and publishes the sections (main thread).
    void sortContacts(const Contacts& contacts);
    // The grouping alone, with no effect on the screen: safe on any thread.
    static Sections groupContacts(const Contacts& contacts);
    VLPeople fullDetailsForContactAtIndexPath(ui::IndexPath indexPath) const;
    static gfx::Color randomColor();
    void applyContact();
    void dismissVC();
    void layoutHeaderView();
    void layoutTableView();

    // Blocks until the contacts asked for when the view loaded have been posted to the main
    // run loop (headless renders and tests then run it until idle).
    void waitUntilContactsPosted();

    // Table.
    int numberOfSections(ui::TableView&) override;
    int numberOfRowsInSection(ui::TableView&, int section) override;
    std::shared_ptr<ui::TableViewCell> cellForRowAtIndexPath(ui::TableView& table,
                                                             ui::IndexPath indexPath) override;
    std::optional<std::string> titleForHeaderInSection(ui::TableView&, int section) override;
    std::vector<std::string> sectionIndexTitles(ui::TableView&) override;
    void didSelectRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) override;

protected:
    VLContactPickerViewController(std::string titleString, gfx::Color accentColour);
    void viewDidLoad() override;

private:
    static const Sections kNoSections;
    void publishSortedContacts(Sections sections);
    const sys::Contact* contactAt(ui::IndexPath indexPath) const;
    gfx::Image avatarFor(const VLPeople& people, bool marked) const;

    std::string titleString_;
    gfx::Color accentColour_;
    std::weak_ptr<VLContactPickerDelegate> delegate_;
    VLContact vlcontact_;
    Sections sortedContacts_;
    std::optional<Sections> allContacts_;
    Sections contactsArray_;
    bool didSelectedContact_ = false;
    std::int64_t selectedSection_ = 0;
    std::int64_t selectedIndex_ = 0;
    std::shared_ptr<VLHeaderView> headerView_;
    std::shared_ptr<ui::TableView> tableView_;
    std::shared_ptr<sys::ContactStore> store_;
};
