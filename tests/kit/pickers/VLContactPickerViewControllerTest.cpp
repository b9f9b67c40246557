#include <gtest/gtest.h>

#include "base/ManualClock.h"
#include "base/RunLoop.h"
#include "host/ViewTreeJson.h"
#include "pickers/contacts/VLContactInital.h"
#include "pickers/contacts/VLContactPickerCell.h"
#include "pickers/contacts/VLContactPickerViewController.h"
#include "support/GoldenText.h"
#include "support/TemporaryDirectory.h"
#include "sys/ContactStore.h"
#include "ui/Window.h"

namespace {

struct RecordingDelegate : VLContactPickerDelegate {
    void didPickAContact(const VLContact& contact) override { picked.push_back(contact); }
    void didCancelPickAContact() override { ++cancels; }
    std::vector<VLContact> picked;
    int cancels = 0;
};

constexpr const char* kAddressBook =
    "BEGIN:VCARD\nVERSION:3.0\nN:Turing;alan\nTEL:00 44 161 496 0000\nUID:alan\nEND:VCARD\n"
    "BEGIN:VCARD\nVERSION:3.0\nN:Zola;Émile\nEMAIL:emile@example.fr\nUID:emile\nEND:VCARD\n"
    "BEGIN:VCARD\nVERSION:3.0\nN:Lovelace;Ada\nTEL:+44 20 7946 0001\nTEL:+44 (20) 7946-0000\n"
    "EMAIL:ada@example.org\nUID:ada\nEND:VCARD\n"
    "BEGIN:VCARD\nVERSION:3.0\nN:Zed;Zoe\nUID:zoe\nEND:VCARD\n";

// A picker presented over a phone-sized window on a manual clock, with the address book above.
class ContactPickerTest : public ::testing::Test {
protected:
    void SetUp() override {
        base::Clock::setCurrent(clock);
        window->setRootViewController(home);
        book.write("people.vcf", kAddressBook);
        sys::ContactStore::setDirectory(book.path());
    }
    void TearDown() override {
        base::RunLoop::main().runFor(std::chrono::seconds(2));
        base::Clock::setCurrent(nullptr);
        sys::ContactStore::setDirectory({});
        sys::ContactStore::setAccessGranted(true);
    }
    void open() {
        picker = VLContactPickerViewController::create("Contacts", gfx::Color::systemBlue());
        picker->setDelegate(delegate);
        home->present(picker, true);
        picker->waitUntilContactsPosted();
        settle();
    }
    void settle() { base::RunLoop::main().runFor(std::chrono::milliseconds(600)); }
    std::vector<std::string> titles() {
        std::vector<std::string> out;
        for (const auto& section : picker->contactsArray()) out.push_back(section.title);
        return out;
    }
    std::shared_ptr<VLContactPickerCell> cellShowing(const std::string& name) {
        window->layoutIfNeeded();
        for (const auto& cell : picker->tableView()->visibleCells()) {
            auto contactCell = std::static_pointer_cast<VLContactPickerCell>(cell);
            if (contactCell->nameLabel()->text() == name) return contactCell;
        }
        ADD_FAILURE() << "no row shows " << name;
        return nullptr;
    }
    void tap(const ui::View& view) {
        window->layoutIfNeeded();
        gfx::Point at = view.convertPoint({view.bounds().width / 2, view.bounds().height / 2}, nullptr);
        window->sendTouch(ui::Touch(1, ui::TouchPhase::Began, at));
        window->sendTouch(ui::Touch(1, ui::TouchPhase::Ended, at));
        settle();
    }
    ::testing::AssertionResult matchesGolden(const char* name) {
        window->layoutIfNeeded();
        return GoldenText::matches(
            host::ViewTreeJson::describe(*window) + "\n",
            std::filesystem::path(VK_CONTACTS_GOLDEN_DIR) / (std::string(name) + ".json"));
    }

    testsupport::TemporaryDirectory book;
    std::shared_ptr<base::ManualClock> clock = std::make_shared<base::ManualClock>();
    std::shared_ptr<ui::Window> window = ui::Window::create({390, 844});
    std::shared_ptr<ui::ViewController> home = ui::ViewController::create();
    std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
    std::shared_ptr<VLContactPickerViewController> picker;
};

std::shared_ptr<const sys::Contact> contact(std::optional<std::string> given,
                                            std::optional<std::string> family,
                                            std::optional<std::string> nickname = std::nullopt) {
    sys::Contact c;
    c.givenName = std::move(given);
    c.familyName = std::move(family);
    c.nickname = std::move(nickname);
    return std::make_shared<const sys::Contact>(std::move(c));
}

TEST(ContactGroupingTest, SectionsByFirstLetterInCharacterCodeOrder) {
    auto sections = VLContactPickerViewController::groupContacts({
        contact("", "Empty"),             // an empty given name is left out, whatever else it has
        contact("bob", "B"),              // lower case shares the upper-case section
        contact("Émile", "Zola"),         // an accented capital sorts after Z
        contact("Bea", "B"),              //
        contact(std::nullopt, "Family"),  // no given name at all: the nickname, then the family name
        contact(std::nullopt, "X", "nick"),
        contact("Zoe", "Z"),
    });
    std::vector<std::pair<std::string, std::size_t>> shape;
    for (const auto& section : sections) shape.emplace_back(section.title, section.contacts.size());
    EXPECT_EQ(shape, (std::vector<std::pair<std::string, std::size_t>>{
                         {"B", 2}, {"F", 1}, {"N", 1}, {"Z", 1}, {"É", 1}}));
    EXPECT_EQ(sections[0].contacts[0]->givenName, "bob") << "contacts keep the order they came in";
}

TEST(ContactGroupingTest, InitialsFromTheFirstTwoPiecesAndOneCachedImagePerLook) {
    struct Case {
        const char *name, *initials;
    } cases[] = {{"Ann Marie Smith", "AM"},        {" Lovelace", "L"},    {"ada", "a"}, {"", ""},
                 {"e\u0301mile zola", "e\u0301z"}, {"Ada  Lovelace", "A"}};
    for (const auto& c : cases) EXPECT_EQ(VLContactInital::initialsForName(c.name), c.initials) << c.name;

    auto image = VLContactInital::imageForName("Ada Lovelace", {50, 50});
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.colorAt(0, 0).alpha(), 0.0) << "the corners stay transparent";
    EXPECT_TRUE(
        image.colorAt(image.pixelWidth() / 2, 2).isApproximately(gfx::Color(0.784, 0.776, 0.8, 1), 0.01));
    EXPECT_EQ(VLContactInital::imageForName("Ada Lace", {50, 50}).data(), image.data())
        << "same initials, one drawing";
}

TEST_F(ContactPickerTest, ListsTheAddressBookAndReportsTheMarkedContact) {
    open();
    EXPECT_EQ(titles(), (std::vector<std::string>{"A", "Z", "É"}));
    EXPECT_EQ(picker->tableView()->sectionIndexTitles(), titles());
    EXPECT_TRUE(matchesGolden("contacts-at-rest"));

    tap(*cellShowing("Ada Lovelace"));
    auto marked = cellShowing("Ada Lovelace");
    EXPECT_EQ(marked->baseView()->backgroundColor(), gfx::Color::systemBlue());
    EXPECT_EQ(marked->nameLabel()->textColor(), gfx::Color::whiteColor());
    EXPECT_NE(marked->accessoryView(), nullptr);
    auto other = cellShowing("alan Turing");
    EXPECT_EQ(other->baseView()->backgroundColor(), gfx::Color::secondarySystemBackground());
    EXPECT_EQ(other->numberLabel()->textColor(), gfx::Color::tertiaryLabel());
    EXPECT_EQ(other->emailLabel()->text(), VLContactPickerViewController::kNoEmailText);
    EXPECT_EQ(other->accessoryView(), nullptr);
    EXPECT_TRUE(picker->isModalInPresentation());
    EXPECT_TRUE(matchesGolden("contacts-marked"));

    tap(*picker->headerView()->rightButton());
    ASSERT_EQ(delegate->picked.size(), 1u);
    const VLContact& ada = delegate->picked[0];
    EXPECT_EQ(ada.fullName, "Ada Lovelace");
    EXPECT_EQ(ada.phoneNumber, "+44(20)7946-0000")
        << "the last number, spaces out, brackets and hyphens kept";
    EXPECT_EQ(ada.emailAddress, "ada@example.org");
    EXPECT_EQ(ada.identifier, "ada");
    EXPECT_TRUE(ada.isPhoneNumberContainPrefix);
    EXPECT_TRUE(ada.isEmailAvailable);
    EXPECT_FALSE(ada.isAvatarAvailable);
    EXPECT_EQ(home->presentedViewController(), nullptr);
    EXPECT_EQ(delegate->cancels, 0);
}

TEST_F(ContactPickerTest, ANumberWithoutPlusHasNoPrefixAndCancelReportsOnlyTheCancel) {
    open();
    tap(*cellShowing("alan Turing"));
    EXPECT_EQ(picker->vlcontact().phoneNumber, "00441614960000");
    EXPECT_FALSE(picker->vlcontact().isPhoneNumberContainPrefix) << "00 is not a +";
    EXPECT_FALSE(picker->vlcontact().isEmailAvailable);
    tap(*picker->headerView()->leftButton());
    EXPECT_EQ(delegate->cancels, 1);
    EXPECT_TRUE(delegate->picked.empty());
    EXPECT_EQ(home->presentedViewController(), nullptr);
}

TEST_F(ContactPickerTest, DeniedAccessLeavesTheListEmptyAndConfirmingNothingReportsNothing) {
    sys::ContactStore::setAccessGranted(false);
    open();
    EXPECT_TRUE(picker->contactsArray().empty());
    EXPECT_EQ(picker->tableView()->numberOfSections(), 0);
    picker->performAction("applyContact");  // as if the hidden button were reached
    EXPECT_TRUE(delegate->picked.empty());
    EXPECT_EQ(home->presentedViewController(), picker);
}

TEST_F(ContactPickerTest, SearchFiltersTheWholeListAndAnEmptyTextRestoresIt) {
    open();
    picker->updateSearchResult("ZO");  // Zoe, and Émile by his family name Zola
    EXPECT_EQ(titles(), (std::vector<std::string>{"Z", "É"}));
    picker->updateSearchResult("");
    EXPECT_EQ(titles(), (std::vector<std::string>{"A", "Z", "É"}));
}

}  // namespace
