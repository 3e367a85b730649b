#include <gtest/gtest.h>

#include "base/lists.h"

namespace wyn {
namespace {

using Names = std::vector<std::string>;

TEST(SelectList, SelectionStaysOnItsEntryAndOutOfRangeSelectsNothing) {
    SelectList list(Names{"a", "b", "c"});
    EXPECT_FALSE(list.hasSelection());
    list.select(1);
    list.insertAtSelection("x");
    EXPECT_EQ(list.items(), (Names{"a", "x", "b", "c"}));
    EXPECT_EQ(list.selection(), "b");
    list.select(9);
    EXPECT_FALSE(list.selected());
    list.insertAtSelection("end");
    EXPECT_EQ(list.items().back(), "end");
    list.selectIgnoringCase("X");
    EXPECT_EQ(list.selected(), 1u);
    list.selectIgnoringCase("nowhere");
    EXPECT_FALSE(list.hasSelection());
}

TEST(SelectList, ErasingKeepsTheSelectionOnTheSameEntry) {
    SelectList list(Names{"a", "b", "c"});
    list.select(2);
    list.eraseAt(0);
    EXPECT_EQ(list.selection(), "c");
    list.eraseAt(1);
    EXPECT_FALSE(list.hasSelection());
    EXPECT_EQ(list.items(), Names{"b"});
}

TEST(SelectList, MoveSelectedGoesBeforeTheTargetsSelection) {
    SelectList from(Names{"a", "b"});
    SelectList to(Names{"x", "y"});
    EXPECT_FALSE(moveSelected(from, to));  // nothing selected: nothing moves
    from.select(1);
    to.select(1);
    EXPECT_TRUE(moveSelected(from, to));
    EXPECT_EQ(from.items(), Names{"a"});
    EXPECT_FALSE(from.hasSelection());
    EXPECT_EQ(to.items(), (Names{"x", "b", "y"}));
    EXPECT_EQ(to.selection(), "y");
}

TEST(SelectList, RevisionsTellWhichPartChanged) {
    SelectList list(Names{"a", "b"});
    auto before = list.revision();
    list.setItems({"a", "b"});  // the same entries: no change for a view
    EXPECT_FALSE(ListChange::between(before, list.revision()).any());
    list.select(0);
    auto change = ListChange::between(before, list.revision());
    EXPECT_TRUE(change.selection);
    EXPECT_FALSE(change.items);
    before = list.revision();
    list.select(0);
    EXPECT_FALSE(ListChange::between(before, list.revision()).any());
    list.replaceAt(1, "B");
    change = ListChange::between(before, list.revision());
    EXPECT_TRUE(change.items);
    EXPECT_FALSE(change.selection);
}

TEST(CheckList, ChecksByNameIgnoringCaseAndDropsThemWithNewItems) {
    CheckList list;
    list.setItems({"Vex", "Orla", "Rust"});
    list.checkNames({"orla", "nobody"});
    EXPECT_EQ(list.checkedNames(), Names{"Orla"});
    const auto before = list.revision();
    list.setChecked(7, true);  // out of range: nothing
    list.setChecked(1, true);  // already checked: nothing
    EXPECT_FALSE(ListChange::between(before, list.revision()).any());

    list.setItemsKeepingChecks({"ORLA", "New"});
    EXPECT_EQ(list.checkedNames(), Names{"ORLA"});
    list.selectFirst();
    list.setItems({"ORLA", "New"});
    EXPECT_EQ(list.checkedNames(), Names{});
    EXPECT_FALSE(list.current());
}

}  // namespace
}  // namespace wyn
