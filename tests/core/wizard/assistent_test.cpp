#include <gmock/gmock.h>
#include <gtest/gtest.h>

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
        a.NumPages = 6;
        a.StartPage = 1;
        a.UseHistory = true;
        a.WayListEnabled = true;
        a.CaptionWizard = "Wizard - Page %d of %d";
        a.PageNames = {"Dialog",        "Intro",          "Game Type", "Map Selection",
                       "Bot Selection", "Team Selection", "Launch"};
        a.WayList = {{1, kWayFollowing}, {2, kWayFollowing}, {3, kWayAsk}, {4, 6},
                     {5, kWayFollowing}, {6, kWayLast}};
        a.BtnHelp.Show = a.BtnWizardOK.Show = a.BtnChangeDialog.Show = false;
        a.BtnChangeWizard.Show = a.BtnDialogOK.Show = false;
        a.BtnFinish.Text = "&Launch";
        a.OnCanPageChange = [this](TAssistent&, int from, int& to) {
            asked.emplace_back(from, to);
            return allow;
        };
        a.OnAskPageChange = [this](TAssistent&, int akt, int& next) {
            askedNext.emplace_back(akt, next);
            next = askAnswer;
        };
        a.OnPageChange = [this](TAssistent&, int page) { changed.push_back(page); };
    }

    void walkTo6() {
        a.Open(1);
        for (int i = 0; i < 4; ++i) {
            a.Next();
        }
    }

    TAssistent a;
    bool allow = true;
    int askAnswer = 5;
    Moves asked, askedNext;
    std::vector<int> changed;
};

TEST_F(AssistentTest, OpeningAsksNothingAndHasNoHistory) {
    a.Open(1);
    EXPECT_EQ(a.Page(), 1);
    EXPECT_THAT(asked, IsEmpty());
    EXPECT_THAT(a.History(), IsEmpty());
    EXPECT_FALSE(a.BtnBack.Enabled);
    EXPECT_EQ(a.Caption, "Wizard - Page 1 of 6");
    EXPECT_THAT(changed, ElementsAre(1));
}

TEST_F(AssistentTest, AskedPageIsWhatCanPageChangeSeesAndBackRetracesIt) {
    walkTo6();
    EXPECT_EQ(a.Page(), 6);
    EXPECT_EQ(askedNext, (Moves{{3, 4}}));
    EXPECT_EQ(asked, (Moves{{1, 2}, {2, 3}, {3, 5}, {5, 6}}));
    EXPECT_THAT(a.History(), ElementsAre(1, 2, 3, 5));

    std::vector<int> back;
    for (int i = 0; i < 4; ++i) {
        a.Back();
        back.push_back(a.Page());
    }
    EXPECT_THAT(back, ElementsAre(5, 3, 2, 1));
    EXPECT_FALSE(a.BtnBack.Enabled);
    a.Back();  // nothing left to go back to
    EXPECT_EQ(a.Page(), 1);

    askAnswer = 4;  // the other game types: 3 -> 4 -> 6
    a.Next();
    a.Next();
    a.Next();
    a.Next();
    EXPECT_EQ(a.Page(), 6);
    EXPECT_THAT(a.History(), ElementsAre(1, 2, 3, 4));
}

TEST_F(AssistentTest, RefusedMovesLeaveEverythingAsItWas) {
    a.Open(1);
    a.Next();
    a.Next();
    changed.clear();
    const std::string caption = a.Caption;

    allow = false;
    a.Next();
    EXPECT_EQ(a.Page(), 3);
    EXPECT_THAT(a.History(), ElementsAre(1, 2));
    EXPECT_EQ(a.Caption, caption);
    a.Back();
    EXPECT_EQ(a.Page(), 3);
    EXPECT_THAT(a.History(), ElementsAre(1, 2));
    EXPECT_THAT(changed, IsEmpty());

    allow = true;
    a.Back();
    EXPECT_EQ(a.Page(), 2);
    EXPECT_THAT(changed, ElementsAre(2));
}

TEST_F(AssistentTest, TargetsOutsideThePagesAreRefused) {
    a.Open(1);
    a.Next();
    a.Next();
    askAnswer = 9;
    a.Next();
    EXPECT_EQ(a.Page(), 3);
    EXPECT_THAT(a.History(), ElementsAre(1, 2));

    askAnswer = 5;
    a.OnCanPageChange = [](TAssistent&, int, int& to) {
        to = -7;
        return true;
    };
    a.Next();
    EXPECT_EQ(a.Page(), 3);
    EXPECT_THAT(a.History(), ElementsAre(1, 2));
    EXPECT_EQ(a.Result(), DialogResult::Open);
}

TEST_F(AssistentTest, SetPageAddsNoHistory) {
    a.Open(1);
    a.Next();
    EXPECT_TRUE(a.SetPage(5));
    EXPECT_EQ(asked.back(), std::make_pair(2, 5));
    a.Back();
    EXPECT_EQ(a.Page(), 1);

    // Without history Back is simply the page before.
    a.UseHistory = false;
    a.SetPage(5);
    EXPECT_TRUE(a.BtnBack.Enabled);
    a.Back();
    EXPECT_EQ(a.Page(), 4);
}

TEST_F(AssistentTest, FinishNeedsPermission) {
    walkTo6();
    asked.clear();
    allow = false;
    a.Next();
    EXPECT_EQ(asked, (Moves{{6, -1}}));
    EXPECT_EQ(a.Page(), 6);
    EXPECT_EQ(a.Result(), DialogResult::Open);
    EXPECT_THAT(a.History(), ElementsAre(1, 2, 3, 5));

    allow = true;
    a.Next();
    EXPECT_EQ(a.Result(), DialogResult::Ok);
}

TEST_F(AssistentTest, CancelAndHelpAskTheOwner) {
    a.Open(2);
    std::vector<int> pages;
    a.OnHelpClick = [&](TAssistent&, int page) { pages.push_back(page); };
    a.Help();
    a.OnCancelClick = [&](TAssistent&, int page) {
        pages.push_back(page);
        return false;
    };
    a.Cancel();
    EXPECT_EQ(a.Result(), DialogResult::Open);
    a.OnCancelClick = nullptr;
    a.Cancel();
    EXPECT_EQ(a.Result(), DialogResult::Cancel);
    EXPECT_THAT(pages, ElementsAre(2, 2));
}

TEST_F(AssistentTest, PageChangeFiresOnlyForANewPage) {
    a.Open(1);
    a.SetPage(1);
    a.SetPage(2);
    a.SetPage(0);
    a.SetPage(0);
    EXPECT_THAT(changed, ElementsAre(1, 2, 0, 0));
}

TEST(AssistentCaption, FollowsTheCaptionRule) {
    EXPECT_EQ(formatWizardCaption("Wizard - Page %d of %d", 2, 6), "Wizard - Page 2 of 6");
    EXPECT_EQ(formatWizardCaption("WYN Wizard", 2, 6), "WYN Wizard");
    EXPECT_EQ(formatWizardCaption("Step %d", 3, 6), "Step 3");
    EXPECT_EQ(formatWizardCaption("%d%% %d/%d %s %", 1, 2), "1% 2/%d %s %");

    TAssistent a;
    a.NumPages = 3;
    a.CaptionWizard = "WYN Wizard";
    a.CaptionDialog = "Options";
    a.PageNames = {"Dialog", "One", "Two", "Three"};
    a.Open(2);
    EXPECT_EQ(a.Caption, "WYN Wizard");
    a.SetPage(0);
    EXPECT_EQ(a.Caption, "Options");

    a.ShowPageNames = true;  // named by the position index, not the page
    a.WayListEnabled = true;
    a.WayList = {{1, kWayFollowing}, {3, kWayFollowing}, {2, kWayLast}};
    a.SetPage(2);
    EXPECT_EQ(a.Caption, "Three");
    a.SetPage(0);
    EXPECT_EQ(a.Caption, "Dialog");

    a.SetFormCaption = false;
    a.Caption = "Mine";
    a.SetPage(1);
    EXPECT_EQ(a.Caption, "Mine");
}

// The wizard's row on a 400 by 300 client area: Cancel, Back, Next at the right.
TEST_F(AssistentTest, ButtonRowOnFirstMiddleAndLastPage) {
    struct Case {
        int page;
        bool backEnabled;
        std::string nextText;
    };
    for (const Case& c :
         {Case{1, false, "&Next >"}, Case{3, true, "&Next >"}, Case{6, true, "&Launch"}}) {
        SCOPED_TRACE(c.page);
        a.Open(1);
        while (a.Page() != c.page) {
            a.Next();
        }
        const ButtonRow row = a.LayoutButtons(400, 300);
        const auto& back = row[AssistentButton::Back];
        const auto& next = row[AssistentButton::Next];
        const auto& cancel = row[AssistentButton::Cancel];
        EXPECT_EQ(next.Left, 400 - 75 - 4);
        EXPECT_EQ(back.Left, 400 - 2 * 79);
        EXPECT_EQ(cancel.Left, 400 - 3 * 79);
        EXPECT_EQ(next.Top, 300 - 25 - 3);
        EXPECT_EQ(back.Enabled, c.backEnabled);
        EXPECT_EQ(next.Text, c.nextText);
        EXPECT_TRUE(next.Enabled);
        EXPECT_TRUE(cancel.Visible && cancel.Enabled);
        EXPECT_EQ(row.defaultButton, AssistentButton::Next);
        for (auto hidden : {AssistentButton::Change, AssistentButton::Help, AssistentButton::OK}) {
            EXPECT_FALSE(row[hidden].Visible);
            EXPECT_FALSE(row[hidden].Enabled);
        }
    }
    EXPECT_FALSE(a.BtnNext.Enabled);  // on the last page
}

TEST_F(AssistentTest, ShownWizardOkTakesTheFinishOnTheLastPage) {
    a.BtnWizardOK.Show = true;
    walkTo6();
    const ButtonRow row = a.LayoutButtons(400, 300);
    EXPECT_EQ(row[AssistentButton::OK].Text, "&Launch");
    EXPECT_EQ(row[AssistentButton::OK].Left, 400 - 79);
    EXPECT_EQ(row[AssistentButton::Next].Text, "&Next >");
    EXPECT_FALSE(row[AssistentButton::Next].Enabled);
    EXPECT_EQ(row.defaultButton, AssistentButton::OK);

    a.Back();
    const ButtonRow middle = a.LayoutButtons(400, 300);
    EXPECT_EQ(middle[AssistentButton::OK].Text, "&OK");
    EXPECT_EQ(middle.defaultButton, AssistentButton::Next);
    a.OK();
    EXPECT_EQ(asked.back(), std::make_pair(5, -1));
    EXPECT_EQ(a.Result(), DialogResult::Ok);
}

TEST(AssistentButtons, LeftGroupGapsAndDialogView) {
    TAssistent a;
    a.NumPages = 2;
    a.BLWizard = {kBLChange, kBLGap, kBLHelp, kBLDivider, kBLCancel, kBLGap, kBLBack, kBLNext};
    a.ShowGlyph = false;
    a.BtnCancel.Glyph = "cancel.bmp";
    a.Open(1);
    ButtonRow row = a.LayoutButtons(500, 200);
    EXPECT_EQ(row[AssistentButton::Change].Left, 4);
    EXPECT_EQ(row[AssistentButton::Change].Text, "&Dialog");
    EXPECT_EQ(row[AssistentButton::Help].Left, 4 + 79 + 8);
    EXPECT_EQ(row[AssistentButton::Next].Left, 500 - 79);
    EXPECT_EQ(row[AssistentButton::Back].Left, 500 - 2 * 79);
    EXPECT_EQ(row[AssistentButton::Cancel].Left, 500 - 3 * 79 - 8);
    EXPECT_EQ(row[AssistentButton::Cancel].Glyph, "");
    EXPECT_FALSE(row[AssistentButton::OK].Visible);  // not in the list

    a.Switch();
    EXPECT_EQ(a.Page(), 0);
    row = a.LayoutButtons(500, 200);
    EXPECT_EQ(row[AssistentButton::Change].Text, "&Wizard");
    EXPECT_EQ(row[AssistentButton::OK].Left, 500 - 79);
    EXPECT_EQ(row[AssistentButton::Cancel].Left, 500 - 2 * 79);
    EXPECT_FALSE(row[AssistentButton::Back].Visible);
    EXPECT_FALSE(row[AssistentButton::Next].Visible);
    EXPECT_EQ(row.defaultButton, AssistentButton::OK);
    a.Next();
    a.Back();
    EXPECT_EQ(a.Page(), 0);
}

TEST_F(AssistentTest, SwitchReturnsToTheStartOrTheRememberedPage) {
    walkTo6();
    a.Switch();
    EXPECT_EQ(a.Page(), 0);
    EXPECT_EQ(a.Caption, "Dialog");
    a.Switch();
    EXPECT_EQ(a.Page(), 1);
    EXPECT_THAT(a.History(), IsEmpty());

    a.RememberPage = true;
    a.Next();
    a.Switch();
    a.Switch();
    EXPECT_EQ(a.Page(), 2);
    EXPECT_THAT(a.History(), ElementsAre(1));
}

TEST(AssistentElements, ShownOnlyAtTheirIndexes) {
    TAssistent a;
    a.NumPages = 3;
    TABox box;
    box.ParentInWizard = "Wizard";
    box.ParentInDialog = "Dialog";
    box.AAlign = TAAlign::alClient;
    box.showAt(0, 1, 2);
    box.showAt(2, 10, 20);
    a.addElement(box);

    a.Open(2);
    EXPECT_TRUE(box.Visible && box.Enabled);
    EXPECT_EQ(box.Parent, "Wizard");
    EXPECT_EQ(std::make_pair(box.Left, box.Top), std::make_pair(10, 20));
    EXPECT_EQ(box.Align, TAAlign::alClient);

    a.SetPage(3);  // beyond its list: hidden
    EXPECT_FALSE(box.Visible || box.Enabled);
    EXPECT_EQ(box.Left, kOutOfSight);
    EXPECT_EQ(box.Align, TAAlign::alNone);

    a.SetPage(0);
    EXPECT_TRUE(box.Visible);
    EXPECT_EQ(box.Parent, "Dialog");
    EXPECT_EQ(box.Left, 1);
}

TEST(AssistentElements, FollowingTakesTheFirstEnabledCheckedJumpButton) {
    TAssistent a;
    a.NumPages = 6;
    a.UseHistory = true;
    TAJumpRadioBtn other, relative, absolute;
    other.showAt(2);
    other.Checked = true;
    other.JumpPage = 6;
    relative.showAt(1);
    relative.JumpMode = TJumpMode::jmRelativ;
    relative.JumpPage = 3;
    absolute.showAt(1);
    absolute.JumpPage = 5;
    for (TAElement* e : std::initializer_list<TAElement*>{&other, &relative, &absolute}) {
        a.addElement(*e);
    }

    a.Open(1);
    a.Next();  // nothing checked on page 1: the following page
    EXPECT_EQ(a.Page(), 2);
    a.Back();
    absolute.Checked = true;
    a.Next();
    EXPECT_EQ(a.Page(), 5);
    a.Back();
    relative.Checked = true;
    a.Next();
    EXPECT_EQ(a.Page(), 4);
    EXPECT_THAT(a.History(), ElementsAre(1));

    a.BtnWizardOK.Show = false;
    a.SetPage(6);  // without a way list the last page finishes
    EXPECT_FALSE(a.BtnNext.Enabled);
    EXPECT_EQ(a.LayoutButtons(400, 300)[AssistentButton::Next].Text, "&Finish");
    a.Next();
    EXPECT_EQ(a.Result(), DialogResult::Ok);
}

}  // namespace
}  // namespace wyn
