#include "content/locate_dialog.h"

#include "content/installation.h"
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

void LocateDialog::check(bool shown) {
    switch (CheckInstallation(m_directory, m_profile)) {
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

void LocateDialog::ok() {
    if (isClosed()) {
        return;
    }
    m_tracker.run([&] {
        if (CheckInstallation(m_directory, m_profile) != Installation::Full) {
            m_prompts.showError(selectLocationMessage(m_profile));
            return;
        }
        m_prompts.showInformation("Please restart WYN.");
        TEasyReg(m_store).WriteValue(stored::DirectoryEdit, m_directory);
        m_result = DialogResult::Ok;
    });
}

void LocateDialog::cancel() {
    if (!isClosed()) {
        m_tracker.run([&] { m_result = DialogResult::Cancel; });
    }
}

}  // namespace wyn
