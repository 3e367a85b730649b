#pragma once

#include <string>
#include <vector>

#include "base/dialog_result.h"
#include "base/lists.h"
#include "base/notifier.h"
#include "base/platform_profile.h"
#include "base/prompts.h"

namespace wyn {

// The lines of maps.txt as the editor takes them: only a first empty line is
// dropped; duplicates and later empty lines stay.
std::vector<std::string> mapCycleEntries(std::vector<std::string> lines);

// The maps an installation offers for the cycle that are not in it yet
// (ignoring case): the known-map table, where a CTF pack needs only its own
// pak, then the loose maps. A name that is both comes twice.
std::vector<std::string> availableCycleMaps(const std::string& gameDirectory,
                                            const std::vector<std::string>& current,
                                            const PlatformProfile& profile);

// What one change of the map cycle editor changed.
struct MapCycleChange {
    ListChange current;    // CurrentListBox
    ListChange available;  // AvailableListBox
    bool result = false;   // the dialog closed

    bool any() const { return current.any() || available.any() || result; }
};

// The map cycle editor ("Edit Map Cycling"): the cycle of vantor/maps.txt
// beside the maps that could join it. It reads the file when it opens and
// writes it only on OK.
class MapCycleEditor {
public:
    MapCycleEditor(std::string gameDirectory, const PlatformProfile& profile,
                   MessagePrompts& prompts);
    MapCycleEditor(const MapCycleEditor&) = delete;
    MapCycleEditor& operator=(const MapCycleEditor&) = delete;

    [[nodiscard]] Connection onChange(std::function<void(const MapCycleChange&)> observer) {
        return m_tracker.connect(std::move(observer));
    }

    std::string path() const;  // game directory + vantor + maps.txt

    // Reads the cycle and builds the available maps. A file that cannot be read
    // is reported ("Cannot open file PATH") and both lists stay empty.
    void open();

    const SelectList& current() const { return m_current; }      // CurrentListBox
    const SelectList& available() const { return m_available; }  // AvailableListBox
    void selectCurrent(Selection index);
    void selectAvailable(Selection index);

    // "<": the selected available map goes into the cycle before the cycle's
    // selected entry, or to its end.
    void add();
    // ">": the mirror image.
    void remove();
    // "&OK": writes the cycle (throws "Cannot create file PATH"; the editor then
    // stays open with its lists) and closes. A maps.txt that exists but could
    // not be read is left as it is.
    void ok();
    // "&Cancel": empties both lists and closes; the file is not touched.
    void cancel();

    DialogResult result() const { return m_result; }
    bool isClosed() const { return wyn::isClosed(m_result); }

private:
    struct Snapshot {
        ListRevision current;
        ListRevision available;
        DialogResult result;
    };
    Snapshot snapshot() const { return {m_current.revision(), m_available.revision(), m_result}; }
    MapCycleChange compare(const Snapshot& before) const {
        return {ListChange::between(before.current, m_current.revision()),
                ListChange::between(before.available, m_available.revision()),
                before.result != m_result};
    }

    std::string m_gameDirectory;
    PlatformProfile m_profile;
    MessagePrompts& m_prompts;
    SelectList m_current;
    SelectList m_available;
    DialogResult m_result = DialogResult::Open;
    bool m_keepFile = false;
    ChangeTracker<MapCycleChange, Snapshot> m_tracker{
        [this] { return snapshot(); }, [this](const Snapshot& before) { return compare(before); }};
};

}  // namespace wyn
