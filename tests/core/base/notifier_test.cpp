#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "base/notifier.h"

namespace wyn {
namespace {

struct Change {
    int from = 0;
    int to = 0;
    bool any() const { return from != to; }
};

// An object with one value whose observers hear what changed.
class Counter {
public:
    int value = 0;
    ChangeTracker<Change, int> tracker{[this] { return value; },
                                       [this](const int& before) {
                                           return Change{before, value};
                                       }};

    void add(int n) {
        tracker.run([&] { value += n; });
    }
    void addTwiceThenFail() {
        tracker.run([&] {
            add(1);
            add(1);
            throw std::runtime_error("half-way");
        });
    }
};

TEST(ChangeTracker, OnlyTheOutermostChangeTellsOnceWhatItChanged) {
    Counter counter;
    std::vector<std::pair<int, int>> heard;
    auto connection = counter.tracker.connect([&](const Change& c) {
        heard.push_back({c.from, c.to});
    });
    counter.tracker.run([&] {
        counter.add(2);
        counter.add(3);
    });
    counter.add(0);  // no change, nothing to tell
    EXPECT_EQ(heard, (std::vector<std::pair<int, int>>{{0, 5}}));
}

TEST(ChangeTracker, AFailureStillTellsWhatHappenedBeforeIt) {
    Counter counter;
    std::vector<int> heard;
    auto connection = counter.tracker.connect([&](const Change& c) { heard.push_back(c.to); });
    EXPECT_THROW(counter.addTwiceThenFail(), std::runtime_error);
    EXPECT_EQ(heard, std::vector<int>{2});
    EXPECT_FALSE(counter.tracker.changing());
    counter.add(1);  // the next change is its own outermost one
    EXPECT_EQ(heard, (std::vector<int>{2, 3}));
}

TEST(Notifier, ManyObserversAndConnectionsThatEnd) {
    Notifier<Change> notifier;
    int first = 0;
    int second = 0;
    auto a = notifier.connect([&](const Change&) { ++first; });
    {
        auto b = notifier.connect([&](const Change&) { ++second; });
        notifier.notify({0, 1});
    }
    notifier.notify({0, 1});
    EXPECT_EQ(first, 2);
    EXPECT_EQ(second, 1);

    // An observer that ends another's connection while being told.
    Connection c;
    auto d = notifier.connect([&](const Change&) { c.disconnect(); });
    c = notifier.connect([&](const Change&) { ++second; });
    notifier.notify({0, 1});
    EXPECT_EQ(second, 1);
}

TEST(Notifier, AConnectionMayOutliveItsNotifier) {
    Connection connection;
    auto held = std::make_shared<int>(0);
    const std::weak_ptr<int> observerState = held;
    {
        Notifier<Change> notifier;
        connection = notifier.connect([held = std::move(held)](const Change&) {});
    }
    // The observer went with its notifier, not with the connection.
    EXPECT_TRUE(observerState.expired());

    // Ending the connection later touches no other notifier, though a new
    // one may well be made where the old one was.
    Notifier<Change> other;
    int heard = 0;
    auto otherConnection = other.connect([&](const Change&) { ++heard; });
    connection.disconnect();
    other.notify({0, 1});
    EXPECT_EQ(heard, 1);
}

}  // namespace
}  // namespace wyn
