#pragma once

#include <string>

#include "base/dialog_result.h"
#include "base/notifier.h"
#include "base/platform_profile.h"
#include "base/prompts.h"
#include "content/installation_search.h"

namespace wyn {

class ValueStore;

// Where the add-on can be had, quoted at the end of the locate dialog's two
// add-on messages. The add-on has no address of its own that we could vouch
// for, so the messages point the user to its download page by name.
inline constexpr const char* kAddOnDownloadAddress = "the Vantor add-on's download page";

inline constexpr const char* kLocateCaption = "Please locate your Quake II directory";

// The messages of the start-up check and the locate dialog, in the profile's
// path style.
std::string enterDirectoryMessage(const PlatformProfile& profile);
std::string noAddOnMessage();
std::string selectLocationMessage(const PlatformProfile& profile);

// What a change of the locate dialog changed.
struct LocateChange {
    bool directory = false;
    bool info = false;    // InfoLabel
    bool result = false;  // the dialog closed

    bool any() const { return directory || info || result; }
};

// The logic of the locate dialog ("Please locate your Quake II directory"):
// each selected directory is checked for the game and the add-on; OK accepts
// only a full installation and stores it as the game directory. An
// installation found through a launcher (a Flatpak's, a distribution's
// wrapper) is checked with that launcher as the game's program, and OK stores
// the launcher as the executable, which is what starts the game there; a
// directory accepted by its own executable replaces a stored executable given
// by its full path, which names another program than the one checked.
class LocateDialog {
public:
    // The dialog starts in the process's current directory and checks it at
    // once; it is not shown yet, so a game without the add-on only shows the
    // download message and the dialog opens normally.
    LocateDialog(const std::string& startDirectory, const PlatformProfile& profile,
                 ValueStore& store, MessagePrompts& prompts);
    LocateDialog(const LocateDialog&) = delete;
    LocateDialog& operator=(const LocateDialog&) = delete;

    [[nodiscard]] Connection onChange(std::function<void(const LocateChange&)> observer) {
        return m_tracker.connect(std::move(observer));
    }

    const std::string& directory() const { return m_directory; }
    const std::string& infoText() const { return m_info; }  // InfoLabel
    DialogResult result() const { return m_result; }
    bool isClosed() const { return wyn::isClosed(m_result); }

    // The user selected another directory (drive, tree or the installations).
    void directoryChanged(const std::string& directory);
    // The installations the search found, which the dialog lists.
    void installationsFound(std::vector<FoundInstallation> found);
    void ok();      // "&OK"
    void cancel();  // "&Cancel"

private:
    struct Snapshot {
        std::string directory;
        std::string info;
        DialogResult result;
    };
    Snapshot snapshot() const { return {m_directory, m_info, m_result}; }
    LocateChange compare(const Snapshot& before) const {
        return {before.directory != m_directory, before.info != m_info, before.result != m_result};
    }
    void check(bool shown);
    // The launcher that starts the game in the selected directory; empty:
    // its own executable.
    std::string launcher() const;
    Installation installation() const;

    PlatformProfile m_profile;
    ValueStore& m_store;
    MessagePrompts& m_prompts;
    std::string m_directory;
    std::string m_info;
    DialogResult m_result = DialogResult::Open;
    std::vector<FoundInstallation> m_found;
    ChangeTracker<LocateChange, Snapshot> m_tracker{
        [this] { return snapshot(); }, [this](const Snapshot& before) { return compare(before); }};
};

}  // namespace wyn
