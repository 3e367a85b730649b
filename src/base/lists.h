#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wyn {

// Where a list's selection stands: the index of one entry, or none.
using Selection = std::optional<std::size_t>;

// How often each part of a list has changed. An observer keeps the revision it
// last drew and redraws only the parts whose counter moved.
struct ListRevision {
    std::uint64_t items = 0;
    std::uint64_t selection = 0;
    std::uint64_t checks = 0;

    bool operator==(const ListRevision&) const = default;
};

// The parts of a list that changed between two revisions.
struct ListChange {
    bool items = false;
    bool selection = false;
    bool checks = false;

    bool any() const { return items || selection || checks; }
    static ListChange between(const ListRevision& before, const ListRevision& after);
};

// A list box with at most one selected entry.
class SelectList {
public:
    SelectList() = default;
    explicit SelectList(std::vector<std::string> items) { setItems(std::move(items)); }

    const std::vector<std::string>& items() const { return m_items; }
    std::size_t size() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }
    const std::string& operator[](std::size_t index) const { return m_items[index]; }

    Selection selected() const { return m_selected; }
    bool hasSelection() const { return m_selected.has_value(); }
    // The selected entry; empty when none is selected.
    std::string selection() const { return m_selected ? m_items[*m_selected] : std::string(); }
    const ListRevision& revision() const { return m_revision; }

    // New entries; nothing is selected then.
    void setItems(std::vector<std::string> items);
    void clear() { setItems({}); }
    // An index out of range selects nothing.
    void select(Selection index);
    void selectFirst() { select(0); }
    // The first entry equal to name ignoring case; none when there is none.
    void selectIgnoringCase(std::string_view name);

    void append(std::string name);
    // Before the selected entry, whose selection stays on it; at the end when
    // nothing is selected.
    void insertAtSelection(std::string name);
    // Removes the selected entry and returns it; nothing is selected then, as
    // in a list box whose selected entry goes. Empty without a selection.
    std::string takeSelection();
    void eraseAt(std::size_t index);
    void replaceAt(std::size_t index, std::string name);

private:
    void itemsChanged() { ++m_revision.items; }
    void setSelection(Selection index);

    std::vector<std::string> m_items;
    Selection m_selected;
    ListRevision m_revision;
};

// Moves the selected entry of one list into another, before the target's
// selected entry (or to its end). False, and nothing moves, when the source
// has no selection.
bool moveSelected(SelectList& from, SelectList& to);

// A list with a check box in front of each entry. Only the check marks carry
// meaning; the current row is highlighted, not checked.
class CheckList {
public:
    const std::vector<std::string>& items() const { return m_items; }
    std::size_t size() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }
    const std::string& operator[](std::size_t index) const { return m_items[index]; }

    bool isChecked(std::size_t index) const { return m_checked[index]; }
    const std::vector<bool>& checks() const { return m_checked; }
    std::vector<std::string> checkedNames() const;
    Selection current() const { return m_current; }
    const ListRevision& revision() const { return m_revision; }

    // New entries without check marks and without a current row.
    void setItems(std::vector<std::string> items);
    // New entries with the marks of names checked before (ignoring case).
    void setItemsKeepingChecks(std::vector<std::string> items);
    // An index out of range changes nothing.
    void setChecked(std::size_t index, bool value);
    void uncheckAll();
    // Checks every entry equal to one of the names ignoring case; others stay.
    void checkNames(const std::vector<std::string>& names);
    // An index out of range leaves no current row.
    void setCurrent(Selection index);
    void selectFirst() { setCurrent(0); }

private:
    std::vector<std::string> m_items;
    std::vector<bool> m_checked;
    Selection m_current;
    ListRevision m_revision;
};

}  // namespace wyn
