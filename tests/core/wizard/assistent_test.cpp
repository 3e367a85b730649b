#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>

#include "wizard/assistent.h"

namespace wyn {
namespace {

using Moves = std::vector<std::pair<int, int>>;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Six pages set up as the launch wizard sets them: page 3 asks, page 4 jumps
// to 6, page 6 is the last; the ask handler answers 5 unless told otherwise.
class AssistentTest : public ::testing::Test {
protected:
    AssistentTest() {
        setup.WayList = {kWayFollowing, kWayFollowing, kWayAsk, 6, kWayFollowing, kWayLast};
        setup.BtnFinish.Text = "&Launch";
        setup.OnCanPageChange = [this](int from, int& to) {
            asked.emplace_back(from, to);
            if (redirect) {
                to = *redirect;
            }
            return allow;
        };
        setup.OnAskPageChange = [this](int akt, int& next) {
            askedNext.emplace_back(akt, next);
            next = askAnswer;
        };
    }

    TAssistent& open(int page = 1) {
        a = std::make_unique<TAssistent>(setup, page);
        return *a;
    }
    TAssistent& walkTo6() {
        open();
        for (int i = 0; i < 4; ++i) {
            a->next();
        }
        return *a;
    }

    AssistentSetup setup;
    std::unique_ptr<TAssistent> a;
    bool allow = true;
    int askAnswer = 5;
    std::optional<int> redirect;
    Moves asked, askedNext;
};

TEST_F(AssistentTest, OpeningAsksNothingAndHasNoHistory) {
    EXPECT_EQ(open().page(), 1);
    EXPECT_EQ(a->numPages(), 6);
    EXPECT_THAT(asked, IsEmpty());
    EXPECT_THAT(a->history(), IsEmpty());
    EXPECT_FALSE(a->button(AssistentButton::Back).enabled);
    EXPECT_EQ(open(4).page(), 4);
    EXPECT_EQ(open(7).page(), 1);  // no such page
}

TEST_F(AssistentTest, AskedPageIsWhatCanPageChangeSeesAndBackRetracesIt) {
    walkTo6();
    EXPECT_EQ(a->page(), 6);
    EXPECT_EQ(askedNext, (Moves{{3, 4}}));
    EXPECT_EQ(asked, (Moves{{1, 2}, {2, 3}, {3, 5}, {5, 6}}));
    EXPECT_THAT(a->history(), ElementsAre(1, 2, 3, 5));

    std::vector<int> back;
    for (int i = 0; i < 4; ++i) {
        a->back();
        back.push_back(a->page());
    }
    EXPECT_THAT(back, ElementsAre(5, 3, 2, 1));
    EXPECT_FALSE(a->button(AssistentButton::Back).enabled);
    a->back();  // nothing left to go back to
    EXPECT_EQ(a->page(), 1);

    askAnswer = 4;  // the other game types: 3 -> 4 -> 6
    for (int i = 0; i < 4; ++i) {
        a->next();
    }
    EXPECT_EQ(a->page(), 6);
    EXPECT_THAT(a->history(), ElementsAre(1, 2, 3, 4));
}

TEST_F(AssistentTest, RefusedMovesLeaveEverythingAsItWas) {
    open().next();
    a->next();
    const auto backButton = a->button(AssistentButton::Back);

    allow = false;
    a->next();
    EXPECT_EQ(a->page(), 3);
    EXPECT_THAT(a->history(), ElementsAre(1, 2));
    a->back();
    EXPECT_EQ(a->page(), 3);
    EXPECT_THAT(a->history(), ElementsAre(1, 2));
    EXPECT_EQ(a->button(AssistentButton::Back), backButton);

    allow = true;
    a->back();
    EXPECT_EQ(a->page(), 2);
    EXPECT_THAT(a->history(), ElementsAre(1));
}

// A move whose check throws (a script that cannot be written) has not happened.
TEST_F(AssistentTest, AThrowingCheckLeavesTheHistory) {
    setup.OnCanPageChange = [](int, int&) -> bool { throw std::runtime_error("no"); };
    TAssistent throwing(setup, 2);
    EXPECT_THROW(throwing.next(), std::runtime_error);
    EXPECT_EQ(throwing.page(), 2);
    EXPECT_THAT(throwing.history(), IsEmpty());
}

TEST_F(AssistentTest, TargetsOutsideThePagesAreRefused) {
    open().next();
    a->next();
    askAnswer = 9;
    a->next();
    EXPECT_EQ(a->page(), 3);
    EXPECT_THAT(a->history(), ElementsAre(1, 2));

    askAnswer = 5;
    redirect = -7;
    a->next();
    EXPECT_EQ(a->page(), 3);
    EXPECT_THAT(a->history(), ElementsAre(1, 2));
    EXPECT_EQ(a->result(), DialogResult::Open);

    // A redirection to the finish finishes without a history entry.
    redirect = kFinishPage;
    a->next();
    EXPECT_EQ(a->page(), 3);
    EXPECT_THAT(a->history(), ElementsAre(1, 2));
    EXPECT_EQ(a->result(), DialogResult::Ok);
}

TEST_F(AssistentTest, FinishNeedsPermission) {
    walkTo6();
    asked.clear();
    allow = false;
    a->next();
    EXPECT_EQ(asked, (Moves{{6, kFinishPage}}));
    EXPECT_EQ(a->page(), 6);
    EXPECT_EQ(a->result(), DialogResult::Open);
    EXPECT_THAT(a->history(), ElementsAre(1, 2, 3, 5));

    allow = true;
    a->next();
    EXPECT_EQ(a->result(), DialogResult::Ok);
}

TEST_F(AssistentTest, CancelAsksTheOwner) {
    std::vector<int> pages;
    setup.OnCancelClick = [&](int page) {
        pages.push_back(page);
        return false;
    };
    open(2).cancel();
    EXPECT_EQ(a->result(), DialogResult::Open);
    EXPECT_THAT(pages, ElementsAre(2));
    setup.OnCancelClick = nullptr;
    open(2).cancel();
    EXPECT_EQ(a->result(), DialogResult::Cancel);
}

// Cancel, Back, Next; on the last page Next shows the finish.
TEST_F(AssistentTest, ButtonsOnFirstMiddleAndLastPage) {
    struct Case {
        int page;
        bool backEnabled;
        std::string nextText;
    };
    for (const Case& c :
         {Case{1, false, "&Next >"}, Case{3, true, "&Next >"}, Case{6, true, "&Launch"}}) {
        SCOPED_TRACE(c.page);
        open();
        while (a->page() != c.page) {
            a->next();
        }
        EXPECT_EQ(a->button(AssistentButton::Back),
                  (AssistentButtonState{"< &Back", true, c.backEnabled, false}));
        EXPECT_EQ(a->button(AssistentButton::Next),
                  (AssistentButtonState{c.nextText, true, true, true}));
        EXPECT_EQ(a->button(AssistentButton::Cancel),
                  (AssistentButtonState{"&Cancel", true, true, false}));
    }
    EXPECT_THAT(a->buttonTexts(), ElementsAre("< &Back", "&Next >", "&Launch", "&Cancel"));
}

TEST_F(AssistentTest, AHiddenButtonIsNeverEnabled) {
    setup.BtnCancel.Show = false;
    setup.BtnFinish.Enabled = false;
    walkTo6();
    EXPECT_EQ(a->button(AssistentButton::Cancel),
              (AssistentButtonState{"&Cancel", false, false, false}));
    EXPECT_EQ(a->button(AssistentButton::Next),
              (AssistentButtonState{"&Launch", true, false, true}));
}

}  // namespace
}  // namespace wyn
