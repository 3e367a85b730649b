#include "app/ctl_persistence.h"

#include <filesystem>
#include <system_error>

#include "base/errors.h"
#include "base/value_store.h"
#include "content/map_cycle.h"
#include "session/session_settings.h"
#include "session/startup.h"
#include "store/easy_reg.h"
#include "store/recent_files.h"

namespace wyn {

namespace {

// Nobody answers: messages go to the error stream, every dialog is cancelled.
class StreamStartupPrompts : public StartupPrompts {
public:
    explicit StreamStartupPrompts(std::ostream& err) : m_err(err) {}

    void showError(const std::string& text) override { m_err << text << '\n'; }
    void showInformation(const std::string& text) override { m_err << text << '\n'; }
    void showFailure(const std::string& text) override { m_err << text << '\n'; }
    bool editCommandLine(std::string&) override { return true; }
    std::optional<std::string> choosePresetSavePath(const std::string&) override {
        return std::nullopt;
    }
    void showLocateDialog(LocateDialog& dialog) override { dialog.cancel(); }

private:
    std::ostream& m_err;
};

// The store with the game directory of the command line in place of the
// stored one; everything else goes to the store beneath.
class DirectoryOverride : public ValueStore {
public:
    DirectoryOverride(ValueStore& store, std::string directory)
        : m_store(store), m_directory(std::move(directory)) {}

    std::string readValue(const std::string& name) const override {
        return name == stored::Directory ? m_directory : m_store.readValue(name);
    }
    bool writeValue(const std::string& name, const std::string& value) override {
        return m_store.writeValue(name, value);
    }
    std::vector<std::string> readRecentFiles() const override { return m_store.readRecentFiles(); }
    void writeRecentFiles(const std::vector<std::string>& paths) override {
        m_store.writeRecentFiles(paths);
    }

private:
    ValueStore& m_store;
    std::string m_directory;
};

bool tooManyArguments(CtlContext& context, const CtlArguments& args, const char* usage) {
    if (args.empty()) {
        return false;
    }
    context.err << "Usage: wynctl " << usage << '\n';
    return true;
}

std::string currentDirectory() {
    std::error_code ec;
    const auto path = std::filesystem::current_path(ec);
    return ec ? std::string() : path.string();
}

}  // namespace

int ctlRecent(CtlContext& context, const CtlArguments& args) {
    if (tooManyArguments(context, args, "recent")) {
        return kExitUsage;
    }
    RecentFiles recent;
    recent.load(context.store);
    for (const auto& path : recent.paths()) {
        context.out << path << '\n';
    }
    return kExitOk;
}

int ctlCycle(CtlContext& context, const CtlArguments& args) {
    if (tooManyArguments(context, args, "cycle")) {
        return kExitUsage;
    }
    StreamStartupPrompts prompts(context.err);
    MapCycleEditor editor(context.gameDirectory, context.profile, prompts);
    // A missing maps.txt is reported as the editor reports it; it then opens empty.
    editor.open();
    for (const auto& name : editor.current().items) {
        context.out << "Current\t" << name << '\n';
    }
    for (const auto& name : editor.available().items) {
        context.out << "Available\t" << name << '\n';
    }
    return kExitOk;
}

int ctlRestoreState(CtlContext& context, SessionSettings& session, RecentFiles& recent,
                    const std::optional<std::string>& gameDirectory) {
    StreamStartupPrompts prompts(context.err);
    std::optional<DirectoryOverride> overridden;
    if (gameDirectory) {
        overridden.emplace(context.store, *gameDirectory);
    }
    ValueStore& store = overridden ? static_cast<ValueStore&>(*overridden) : context.store;
    try {
        recent.load(store);
        StartupCheck(session, store, prompts, currentDirectory());
        RestoreWindowState(session, TEasyReg(store));
    } catch (const WynError& error) {
        context.err << generalErrorText(error) << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

int ctlStoreState(CtlContext& context, const SessionSettings& session, const RecentFiles& recent) {
    SaveWindowState(session, TEasyReg(context.store));
    recent.save(context.store);
    return kExitOk;
}

}  // namespace wyn
