#include "pickers/contacts/VLContactPickerViewController.h"

#include <algorithm>
#include <array>
#include <limits>
#include <mutex>
#include <random>
#include <set>

#include "base/LikePattern.h"
#include "base/Log.h"
#include "base/RunLoop.h"
#include "base/Strings.h"
#include "base/Utf8.h"
#include "gfx/Font.h"
#include "gfx/SymbolImage.h"
#include "pickers/contacts/VLContactInital.h"
#include "pickers/contacts/VLContactPickerCell.h"
#include "ui/ImageView.h"
#include "ui/LayoutConstraint.h"
#include "uikit/ViewLayoutExtension.h"

namespace {

constexpr const char* kDismissAction = "dismissVC";
constexpr const char* kApplyAction = "applyContact";
constexpr const char* kConfirmIcon = "person.crop.circle.fill.badge.checkmark";

// The name a contact is filed and searched under: the given name, or with none at all the
// nickname, then the family name.
const std::string& filingName(const sys::Contact& contact) {
    static const std::string kNone;
    if (contact.givenName) return *contact.givenName;
    if (contact.nickname) return *contact.nickname;
    return contact.familyName ? *contact.familyName : kNone;
}

// The first character, upper-cased: a whole code point, so a name starting outside the Basic
// Multilingual Plane still gets a well-formed title.
std::string sectionLetter(const std::string& name) {
    std::size_t length = base::Utf8::sequenceLength(name, 0);
    if (length == 0) return base::strings::uppercased(base::Utf8::repaired(name.substr(0, 1)));
    return base::strings::uppercased(name.substr(0, length));
}

int clampedCount(std::size_t count) {
    return static_cast<int>(std::min<std::size_t>(count, std::numeric_limits<int>::max()));
}

std::shared_ptr<ui::View> makeClearBackground() {
    auto view = ui::View::create();
    view->setBackgroundColor(gfx::Color::clear());
    return view;
}

}  // namespace

const VLContactPickerViewController::Sections VLContactPickerViewController::kNoSections;

std::shared_ptr<VLContactPickerViewController> VLContactPickerViewController::create(
    std::string titleString, gfx::Color accentColour) {
    std::shared_ptr<VLContactPickerViewController> controller(
        new VLContactPickerViewController(std::move(titleString), std::move(accentColour)));
    auto* self = controller.get();
    controller->registerAction(kDismissAction, [self] { self->dismissVC(); });
    controller->registerAction(kApplyAction, [self] { self->applyContact(); });
    return controller;
}

VLContactPickerViewController::VLContactPickerViewController(std::string titleString, gfx::Color accentColour)
    : titleString_(std::move(titleString)), accentColour_(std::move(accentColour)) {}

void VLContactPickerViewController::viewDidLoad() {
    view()->setBackgroundColor(gfx::Color::systemBackground());
    getContactsData();
    layoutTableView();
    layoutHeaderView();
}

void VLContactPickerViewController::layoutHeaderView() {
    auto& root = *view();
    headerView_ = VLHeaderView::create(titleString_, accentColour_, "xmark", kDismissAction, kConfirmIcon,
                                       kApplyAction);
    headerView_->rightButton()->setAlpha(0);
    root.addSubview(headerView_);
    extension::height(*headerView_, kHeaderHeight);
    extension::x(*headerView_, root.centerXAnchor());
    extension::top(*headerView_, root.topAnchor(), 0);
    headerView_->widthAnchor().equalTo(root.widthAnchor())->setActive(true);
}

void VLContactPickerViewController::layoutTableView() {
    auto& root = *view();
    tableView_ = ui::TableView::create(ui::TableView::Style::InsetGrouped);
    tableView_->setFrame(root.bounds());
    tableView_->setAutoresizingMask(ui::FlexibleWidth | ui::FlexibleHeight);
    tableView_->setBackgroundColor(gfx::Color::clear());
    tableView_->setSectionIndexColor(accentColour_);
    tableView_->setShowsVerticalScrollIndicator(false);
    tableView_->setSeparatorStyle(ui::TableView::SeparatorStyle::None);
    tableView_->setContentInsetAdjustmentBehavior(ui::ContentInsetAdjustmentBehavior::Never);
    tableView_->setContentInset({kTableTopInset, 0, 0, 0});
    tableView_->setContentOffset({0, -kTableTopInset});
    tableView_->setRowHeight(kRowHeight);
    tableView_->registerCell(kCellIdentifier, [] {
        return VLContactPickerCell::create(ui::TableViewCellStyle::Default, kCellIdentifier);
    });
    auto self = std::static_pointer_cast<VLContactPickerViewController>(sharedController());
    tableView_->setDataSource(std::weak_ptr<ui::TableViewDataSource>(self));
    tableView_->setDelegate(std::weak_ptr<ui::TableViewDelegate>(self));
    root.addSubview(tableView_);
}

// Passes: ask for access (answered on the store's thread); there, read and group the
// contacts; then publish the sections and reload the table in one task on the main run loop.
// The screen is reached only through a weak pointer, so a sheet closed meanwhile is left alone.
void VLContactPickerViewController::getContactsData() {
    if (!store_) store_ = sys::ContactStore::create();
    std::weak_ptr<VLContactPickerViewController> weakSelf =
        std::static_pointer_cast<VLContactPickerViewController>(sharedController());
    std::weak_ptr<sys::ContactStore> weakStore = store_;
    store_->requestAccess([weakSelf, weakStore](bool granted) {
        auto store = weakStore.lock();
        if (!granted || !store) return;
        Contacts contacts;
        for (auto& contact : store->enumerateContacts()) {
            contacts.push_back(std::make_shared<const sys::Contact>(std::move(contact)));
        }
        if (contacts.empty()) return;
        auto sections = std::make_shared<Sections>(groupContacts(contacts));
        base::RunLoop::main().post([weakSelf, sections] {
            auto self = weakSelf.lock();
            if (!self) return;
            self->publishSortedContacts(std::move(*sections));
            if (self->tableView_) self->tableView_->reloadData();
        });
    });
}

void VLContactPickerViewController::waitUntilContactsPosted() {
    if (store_) store_->waitUntilIdle();
}

VLContactPickerViewController::Sections VLContactPickerViewController::groupContacts(
    const Contacts& contacts) {
    Sections sections;
    for (const auto& contact : contacts) {
        const std::string& name = filingName(*contact);
        if (name.empty()) continue;
        const std::string letter = sectionLetter(name);
        // The letter is the pattern, as the section look-up has always matched it.
        auto found = std::find_if(sections.begin(), sections.end(), [&](const Section& section) {
            return base::LikePattern::matches(section.title, letter);
        });
        if (found == sections.end()) found = sections.insert(sections.end(), Section{letter, {}});
        found->contacts.push_back(contact);
    }
    std::stable_sort(sections.begin(), sections.end(),
                     [](const Section& a, const Section& b) { return a.title < b.title; });
    return sections;
}

void VLContactPickerViewController::sortContacts(const Contacts& contacts) {
    publishSortedContacts(groupContacts(contacts));
}

void VLContactPickerViewController::publishSortedContacts(Sections sections) {
    sortedContacts_ = std::move(sections);
    if (!allContacts_) allContacts_ = sortedContacts_;
    contactsArray_ = sortedContacts_;
}

void VLContactPickerViewController::updateSearchResult(const std::string& text) {
    if (text.empty()) {
        contactsArray_ = allContacts();
    } else {
        const std::string needle = base::strings::lowercased(text);
        auto matches = [&](const std::optional<std::string>& field) {
            return field && base::strings::lowercased(*field).find(needle) != std::string::npos;
        };
        Contacts kept;
        for (const auto& section : allContacts()) {
            for (const auto& contact : section.contacts) {
                if (matches(contact->givenName) || matches(contact->nickname) ||
                    matches(contact->familyName)) {
                    kept.push_back(contact);
                }
            }
        }
        sortContacts(kept);
    }
    if (tableView_) tableView_->reloadData();
}

const sys::Contact* VLContactPickerViewController::contactAt(ui::IndexPath indexPath) const {
    if (indexPath.section < 0 || static_cast<std::size_t>(indexPath.section) >= contactsArray_.size())
        return nullptr;
    const auto& contacts = contactsArray_[indexPath.section].contacts;
    if (indexPath.row < 0 || static_cast<std::size_t>(indexPath.row) >= contacts.size()) return nullptr;
    return contacts[indexPath.row].get();
}

VLPeople VLContactPickerViewController::fullDetailsForContactAtIndexPath(ui::IndexPath indexPath) const {
    const sys::Contact* contact = contactAt(indexPath);
    return contact ? VLPeople::fromContact(*contact) : VLPeople{};
}

gfx::Color VLContactPickerViewController::randomColor() {
    static const std::array<gfx::Color, 7> kColours = {gfx::Color::systemRed(),    gfx::Color::systemIndigo(),
                                                       gfx::Color::systemTeal(),   gfx::Color::systemPink(),
                                                       gfx::Color::systemYellow(), gfx::Color::systemOrange(),
                                                       gfx::Color::systemGreen()};
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kColours.size() - 1);
    return kColours[pick(generator)];
}

gfx::Image VLContactPickerViewController::avatarFor(const VLPeople& people, bool marked) const {
    if (people.avatar) return people.avatar;
    const gfx::Font font = gfx::Font::system(20, gfx::FontWeight::Bold);
    if (marked) {
        return VLContactInital::imageForName(people.fullName(), {kAvatarSide, kAvatarSide},
                                             gfx::Color::whiteColor(), accentColour_, font);
    }
    return VLContactInital::imageForName(people.fullName(), {kAvatarSide, kAvatarSide}, randomColor(),
                                         gfx::Color::whiteColor(), font);
}

int VLContactPickerViewController::numberOfSections(ui::TableView&) {
    return clampedCount(contactsArray_.size());
}

int VLContactPickerViewController::numberOfRowsInSection(ui::TableView&, int section) {
    if (section < 0 || static_cast<std::size_t>(section) >= contactsArray_.size()) return 0;
    return clampedCount(contactsArray_[section].contacts.size());
}

std::optional<std::string> VLContactPickerViewController::titleForHeaderInSection(ui::TableView&,
                                                                                  int section) {
    if (section < 0 || static_cast<std::size_t>(section) >= contactsArray_.size()) return std::nullopt;
    return contactsArray_[section].title;
}

std::vector<std::string> VLContactPickerViewController::sectionIndexTitles(ui::TableView&) {
    std::vector<std::string> titles;
    for (const auto& section : contactsArray_) titles.push_back(section.title);
    return titles;
}

std::shared_ptr<ui::TableViewCell> VLContactPickerViewController::cellForRowAtIndexPath(
    ui::TableView& table, ui::IndexPath indexPath) {
    auto cell = std::static_pointer_cast<VLContactPickerCell>(table.dequeueReusableCell(kCellIdentifier));
    cell->setSelectedBackgroundView(makeClearBackground());
    cell->setBackgroundColor(gfx::Color::clear());
    const VLPeople people = fullDetailsForContactAtIndexPath(indexPath);
    cell->nameLabel()->setText(people.fullName());
    cell->numberLabel()->setText(people.phone.value_or(kNoPhoneNumberText));
    cell->emailLabel()->setText(people.email.value_or(kNoEmailText));
    const bool marked =
        didSelectedContact_ && indexPath.section == selectedSection_ && indexPath.row == selectedIndex_;
    cell->avatar()->setImage(avatarFor(people, marked));
    if (!didSelectedContact_) return cell;  // the colours the cell was built with
    if (marked) {
        cell->baseView()->setBackgroundColor(accentColour_);
        for (const auto& label : {cell->nameLabel(), cell->numberLabel(), cell->emailLabel()}) {
            label->setTextColor(gfx::Color::whiteColor());
        }
        auto checkmark = ui::ImageView::create(gfx::SymbolImage::named("checkmark"), "checkmark");
        checkmark->setTintColor(gfx::Color::whiteColor());
        cell->setAccessoryView(checkmark);
    } else {
        cell->baseView()->setBackgroundColor(gfx::Color::secondarySystemBackground());
        cell->nameLabel()->setTextColor(gfx::Color::label());
        cell->numberLabel()->setTextColor(gfx::Color::tertiaryLabel());
        cell->emailLabel()->setTextColor(gfx::Color::tertiaryLabel());
        cell->setAccessoryView(nullptr);
    }
    return cell;
}

void VLContactPickerViewController::didSelectRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) {
    table.deselectRowAtIndexPath(indexPath, true);
    if (!contactAt(indexPath)) return;
    const VLPeople people = fullDetailsForContactAtIndexPath(indexPath);
    vlcontact_.fullName = people.fullName();
    vlcontact_.phoneNumber = people.phone;
    vlcontact_.emailAddress = people.email;
    vlcontact_.identifier = people.identifier;
    vlcontact_.avatarImage = people.avatar;
    // "+" has no case, so the case-insensitive search is a plain one.
    vlcontact_.isPhoneNumberContainPrefix = people.phone && people.phone->find('+') != std::string::npos;
    vlcontact_.isEmailAvailable = vlcontact_.emailAddress.has_value();
    vlcontact_.isAvatarAvailable = !vlcontact_.avatarImage.isNull();
    if (headerView_) headerView_->rightButton()->setAlpha(1);
    setModalInPresentation(true);
    didSelectedContact_ = true;
    selectedSection_ = indexPath.section;
    selectedIndex_ = indexPath.row;
    std::set<int> all;
    for (int section = 0; section < numberOfSections(table); ++section) all.insert(section);
    table.reloadSections(all, ui::TableView::RowAnimation::Fade);
}

// Only a marked contact is confirmed, and only while the sheet rests: a confirmation while it
// slides away would report twice, and an empty record would read as a chosen contact.
void VLContactPickerViewController::applyContact() {
    if (!didSelectedContact_) {
        base::Log::line("VLContactPickerViewController: no contact marked to confirm");
        return;
    }
    if (isBeingPresented() || isBeingDismissed()) {
        base::Log::line("VLContactPickerViewController: confirmation ignored during a transition");
        return;
    }
    auto protector = sharedController();
    if (auto listener = delegate_.lock()) listener->didPickAContact(vlcontact_);
    dismiss(true);
}

void VLContactPickerViewController::dismissVC() {
    if (isBeingDismissed()) return;  // the cancel is reported once
    auto protector = sharedController();
    if (auto listener = delegate_.lock()) listener->didCancelPickAContact();
    dismiss(true);
}
