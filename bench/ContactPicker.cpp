// The contact picker over 10,000 generated contacts (given names spread over the alphabet,
// a few accented and lower-case initials, every one with a number and an e-mail address):
//   BM_ContactGrouping: the contacts grouped into lettered sections.
//   BM_ContactPickerFirstFrame: create and load the picker, publish the sections, lay the
//     window out and draw it at scale 2 (the initials images are drawn and cached on the way).
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "host/HeadlessHost.h"
#include "pickers/contacts/VLContactPickerViewController.h"
#include "sys/ContactStore.h"
#include "ui/Window.h"

namespace {

constexpr int kContacts = 10000;

const VLContactPickerViewController::Contacts& fixtureContacts() {
    static const auto contacts = [] {
        const std::vector<std::string> initials = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J",
                                                   "K", "L", "M", "N", "O", "P", "Q", "R", "S", "T",
                                                   "U", "V", "W", "X", "Y", "Z", "É", "Ø", "a", "m"};
        std::mt19937 random(7);
        VLContactPickerViewController::Contacts out;
        for (int index = 0; index < kContacts; ++index) {
            sys::Contact contact;
            contact.identifier = "fixture-" + std::to_string(index);
            contact.givenName = initials[random() % initials.size()] + "name" + std::to_string(index);
            contact.familyName = "Family" + std::to_string(random() % 500);
            contact.phoneNumbers = {"+44 20 7946 " + std::to_string(1000 + index % 9000)};
            contact.emailAddresses = {"person" + std::to_string(index) + "@example.org"};
            out.push_back(std::make_shared<const sys::Contact>(std::move(contact)));
        }
        return out;
    }();
    return contacts;
}

void BM_ContactGrouping(benchmark::State& state) {
    const auto& contacts = fixtureContacts();
    for (auto _ : state) {
        benchmark::DoNotOptimize(VLContactPickerViewController::groupContacts(contacts));
    }
    state.counters["contacts"] = static_cast<double>(contacts.size());
}
BENCHMARK(BM_ContactGrouping)->Unit(benchmark::kMillisecond);

void BM_ContactPickerFirstFrame(benchmark::State& state) {
    const auto& contacts = fixtureContacts();
    sys::ContactStore::setAccessGranted(false);  // the fixture is handed over directly
    for (auto _ : state) {
        auto window = ui::Window::create({390, 844});
        auto picker = VLContactPickerViewController::create("Contacts", gfx::Color::systemBlue());
        window->setRootViewController(picker);
        picker->sortContacts(contacts);
        picker->tableView()->reloadData();
        window->layoutIfNeeded();
        benchmark::DoNotOptimize(host::HeadlessHost::render(*window, 2.0));
    }
    state.counters["sections"] =
        static_cast<double>(VLContactPickerViewController::groupContacts(contacts).size());
}
BENCHMARK(BM_ContactPickerFirstFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
