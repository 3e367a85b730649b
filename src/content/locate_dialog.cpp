#include "content/locate_dialog.h"

#include "base/file_system.h"
#include "content/installation.h"
#include "engine/engine.h"
#include "store/easy_reg.h"
#include "store/stored_values.h"

namespace wyn {

std::string enterDirectoryMessage(const PlatformProfile& profile) {
    return "Please enter the directory where Quake II is located (i.e. " +
           profile.defaultGameDirectory + ").";
}

std::string noAddOnMessage() {
    return std::string(
               "You don't appear to the Vantor bot installed on your computer. "
               "Please download it from ") +
           kAddOnDownloadAddress + ".";
}

std::string selectLocationMessage(const PlatformProfile& profile) {
    return "Please select the location of Quake II on your computer. The '" +
           std::string(1, profile.separator()) +
           "vantor' must be in this directory. If you don't have the Vantor bot installed on "
           "your computer, it can be downloaded from " +
           kAddOnDownloadAddress + ".";
}

LocateDialog::LocateDialog(const std::string& startDirectory, const PlatformProfile& profile,
                           ValueStore& store, MessagePrompts& prompts)
    : m_profile(profile), m_store(store), m_prompts(prompts), m_directory(startDirectory) {
    check(false);
}

std::string LocateDialog::launcher() const {
    const auto real = realPath(m_directory);
    for (const auto& found : m_found) {
        if (found.directory == m_directory ||
            (!real.empty() && realPath(found.directory) == real)) {
            return found.program;
        }
    }
    return {};
}

Installation LocateDialog::installation() const {
    return CheckInstallation(m_directory, launcher(), m_profile);
}

void LocateDialog::check(bool shown) {
    switch (installation()) {
        case Installation::Full:
            m_info = "Found Quake II and the Vantor bot";
            return;
        case Installation::GameOnly:
            m_info = "Found Quake II";
            m_prompts.showError(noAddOnMessage());
            if (shown) {
                m_result = DialogResult::Cancel;
            }
            return;
        case Installation::None:
            m_info.clear();
            return;
    }
}

void LocateDialog::directoryChanged(const std::string& directory) {
    if (isClosed()) {
        return;
    }
    m_tracker.run([&] {
        m_directory = directory;
        check(true);
    });
}

void LocateDialog::installationsFound(std::vector<FoundInstallation> found) {
    m_found = std::move(found);
}

void LocateDialog::ok() {
    if (isClosed()) {
        return;
    }
    m_tracker.run([&] {
        if (installation() != Installation::Full) {
            m_prompts.showError(selectLocationMessage(m_profile));
            return;
        }
        m_prompts.showInformation("Please restart WYN.");
        const TEasyReg store(m_store);
        store.WriteValue(stored::DirectoryEdit, m_directory);
        // The executable that starts the game there.
        if (const auto program = launcher(); !program.empty()) {
            store.WriteValue(stored::FilenameEdit, program);
        } else if (m_profile.isAbsolute(store.ReadValue(stored::FilenameEdit))) {
            store.WriteValue(stored::FilenameEdit, defaultGameProgram(m_profile));
        }
        m_result = DialogResult::Ok;
    });
}

void LocateDialog::cancel() {
    if (!isClosed()) {
        m_tracker.run([&] { m_result = DialogResult::Cancel; });
    }
}

}  // namespace wyn
