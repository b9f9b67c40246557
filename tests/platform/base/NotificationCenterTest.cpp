#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/NotificationCenter.h"

namespace {

TEST(NotificationCenter, DeliversByNameAndObjectFilterInTheOrderObserversWereAdded) {
    base::NotificationCenter center;
    auto sender = std::make_shared<int>(1);
    auto other = std::make_shared<int>(2);
    std::vector<std::string> calls;
    auto any = center.addObserver("Changed", [&](const base::Notification&) { calls.push_back("any"); });
    auto fromSender = center.addObserver("Changed", sender, [&](const base::Notification& n) {
        calls.push_back("sender");
        EXPECT_EQ(n.object, sender);
    });
    auto everything =
        center.addObserver("", [&](const base::Notification& n) { calls.push_back("all:" + n.name); });

    center.post("Changed", sender);
    center.post("Changed", other);
    center.post("Changed");
    center.post("Other", sender);
    EXPECT_EQ(calls, (std::vector<std::string>{"any", "sender", "all:Changed", "any", "all:Changed", "any",
                                               "all:Changed", "all:Other"}));
}

TEST(NotificationCenter, AnObjectFilterNeitherKeepsItsObjectAliveNorMatchesAnotherAtTheSameAddress) {
    base::NotificationCenter center;
    auto sender = std::make_shared<int>(1);
    const void* address = sender.get();
    int calls = 0;
    auto observation = center.addObserver("N", sender, [&](const base::Notification&) { ++calls; });
    std::weak_ptr<int> watcher = sender;
    sender.reset();
    EXPECT_TRUE(watcher.expired());
    // An object at the old address (aliasing a live owner) is not the observed one.
    auto owner = std::make_shared<int>(3);
    std::shared_ptr<void> impostor(owner, const_cast<void*>(address));
    center.post("N", impostor);
    EXPECT_EQ(calls, 0);
}

TEST(NotificationCenter, ObserversMayRemoveThemselvesAndOthersDuringDelivery) {
    base::NotificationCenter center;
    std::vector<std::string> calls;
    std::optional<base::Observation> first, second, third, added;
    first = center.addObserver("N", [&](const base::Notification&) {
        calls.push_back("first");
        first.reset();  // itself: its callback object must outlive this call
        third.reset();  // a later one: not called any more
        added = center.addObserver("N", [&](const base::Notification&) { calls.push_back("added"); });
    });
    second = center.addObserver("N", [&](const base::Notification&) { calls.push_back("second"); });
    third = center.addObserver("N", [&](const base::Notification&) { calls.push_back("third"); });

    center.post("N");
    EXPECT_EQ(calls, (std::vector<std::string>{"first", "second"}));
    calls.clear();
    center.post("N");
    EXPECT_EQ(calls, (std::vector<std::string>{"second", "added"}));
}

TEST(NotificationCenter, ObservationsEndOnDestructionMoveAndAfterTheirCentre) {
    int calls = 0;
    base::Observation kept;
    {
        base::NotificationCenter center;
        base::Observation moved = center.addObserver("N", [&](const base::Notification&) { ++calls; });
        kept = std::move(moved);
        EXPECT_FALSE(moved.active());
        center.post("N");
        EXPECT_EQ(calls, 1);
        {
            auto temporary = center.addObserver("N", [&](const base::Notification&) { calls += 10; });
        }
        center.post("N");
        EXPECT_EQ(calls, 2);
    }
    EXPECT_TRUE(kept.active());
    kept.cancel();  // the centre is gone: nothing to do, nothing to crash
    EXPECT_FALSE(kept.active());
}

TEST(NotificationCenter, CarriesUserInfoToTheObserver) {
    auto& center = base::NotificationCenter::defaultCenter();
    base::Value received;
    auto observation =
        center.addObserver("WithInfo", [&](const base::Notification& n) { received = n.userInfo; });
    base::Value::Dictionary info;
    info["key"] = base::Value(std::string("value"));
    center.post("WithInfo", nullptr, base::Value(info));
    ASSERT_NE(received.asDictionary(), nullptr);
    EXPECT_EQ(*received["key"].asString(), "value");
}

}  // namespace
