#include "base/lists.h"

#include "base/text.h"

namespace wyn {

ListChange ListChange::between(const ListRevision& before, const ListRevision& after) {
    return {before.items != after.items, before.selection != after.selection,
            before.checks != after.checks};
}

// --- SelectList.

void SelectList::setSelection(Selection index) {
    if (index && *index >= m_items.size()) {
        index.reset();
    }
    if (index != m_selected) {
        m_selected = index;
        ++m_revision.selection;
    }
}

void SelectList::setItems(std::vector<std::string> items) {
    setSelection(std::nullopt);
    // The same entries again are no change: a view keeps its scroll position.
    if (items != m_items) {
        m_items = std::move(items);
        itemsChanged();
    }
}

void SelectList::select(Selection index) {
    setSelection(index);
}

void SelectList::selectIgnoringCase(std::string_view name) {
    const int index = indexOfIgnoringCase(m_items, name);
    setSelection(index < 0 ? Selection() : Selection(static_cast<std::size_t>(index)));
}

void SelectList::append(std::string name) {
    m_items.push_back(std::move(name));
    itemsChanged();
}

void SelectList::insertAtSelection(std::string name) {
    if (!m_selected) {
        append(std::move(name));
        return;
    }
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(*m_selected), std::move(name));
    itemsChanged();
    setSelection(*m_selected + 1);
}

std::string SelectList::takeSelection() {
    if (!m_selected) {
        return {};
    }
    const std::size_t index = *m_selected;
    std::string name = std::move(m_items[index]);
    setSelection(std::nullopt);
    m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
    itemsChanged();
    return name;
}

void SelectList::eraseAt(std::size_t index) {
    if (index >= m_items.size()) {
        return;
    }
    if (m_selected) {
        if (*m_selected == index) {
            setSelection(std::nullopt);
        } else if (*m_selected > index) {
            setSelection(*m_selected - 1);
        }
    }
    m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
    itemsChanged();
}

void SelectList::replaceAt(std::size_t index, std::string name) {
    if (index < m_items.size() && m_items[index] != name) {
        m_items[index] = std::move(name);
        itemsChanged();
    }
}

bool moveSelected(SelectList& from, SelectList& to) {
    if (!from.hasSelection()) {
        return false;
    }
    to.insertAtSelection(from.takeSelection());
    return true;
}

// --- CheckList.

std::vector<std::string> CheckList::checkedNames() const {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_checked[i]) {
            names.push_back(m_items[i]);
        }
    }
    return names;
}

void CheckList::setItems(std::vector<std::string> items) {
    setCurrent(std::nullopt);
    uncheckAll();
    if (items != m_items) {
        m_items = std::move(items);
        m_checked.assign(m_items.size(), false);
        ++m_revision.items;
    }
}

void CheckList::setItemsKeepingChecks(std::vector<std::string> items) {
    const auto names = checkedNames();
    setItems(std::move(items));
    checkNames(names);
}

void CheckList::setChecked(std::size_t index, bool value) {
    if (index < m_items.size() && m_checked[index] != value) {
        m_checked[index] = value;
        ++m_revision.checks;
    }
}

void CheckList::uncheckAll() {
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        setChecked(i, false);
    }
}

void CheckList::checkNames(const std::vector<std::string>& names) {
    for (const auto& name : names) {
        for (std::size_t i = 0; i < m_items.size(); ++i) {
            if (equalsIgnoringCase(m_items[i], name)) {
                setChecked(i, true);
            }
        }
    }
}

void CheckList::setCurrent(Selection index) {
    if (index && *index >= m_items.size()) {
        index.reset();
    }
    if (index != m_current) {
        m_current = index;
        ++m_revision.selection;
    }
}

}  // namespace wyn
