#include "app/ctl_persistence.h"

#include <filesystem>
#include <system_error>

#include "app/ctl_prompts.h"
#include "base/errors.h"
#include "base/file_system.h"
#include "base/value_store.h"
#include "content/map_cycle.h"
#include "session/session_settings.h"
#include "session/startup.h"
#include "store/recent_files.h"
#include "store/stored_values.h"

namespace wyn {

namespace {

// The store with the game directory of the command line in place of the
// stored one; everything else goes to the store beneath.
class DirectoryOverride : public ValueStore {
public:
    DirectoryOverride(ValueStore& store, std::string directory)
        : m_store(store), m_directory(std::move(directory)) {}

    std::string readValue(const std::string& name) const override {
        return name == stored::DirectoryEdit ? m_directory : m_store.readValue(name);
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

std::string currentDirectory() {
    std::error_code ec;
    const auto path = std::filesystem::current_path(ec);
    return ec ? std::string() : pathText(path);
}

}  // namespace

int ctlRecent(CtlContext& context, const CtlArguments& args) {
    if (!args.empty()) {
        return usageError(context, "recent");
    }
    RecentFiles recent;
    recent.load(context.store);
    for (const auto& path : recent.paths()) {
        context.out << path << '\n';
    }
    return kExitOk;
}

int ctlCycle(CtlContext& context, const CtlArguments& args) {
    if (!args.empty()) {
        return usageError(context, "cycle");
    }
    CtlPrompts prompts(context.err);
    MapCycleEditor editor(context.gameDirectory, context.profile, prompts);
    // A missing maps.txt is reported as the editor reports it; it then opens empty.
    editor.open();
    for (const auto& name : editor.current().items()) {
        context.out << "Current\t" << name << '\n';
    }
    for (const auto& name : editor.available().items()) {
        context.out << "Available\t" << name << '\n';
    }
    return kExitOk;
}

int ctlRestoreState(CtlContext& context, SessionSettings& session, RecentFiles& recent,
                    const std::optional<std::string>& gameDirectory) {
    CtlPrompts prompts(context.err);
    std::optional<DirectoryOverride> overridden;
    if (gameDirectory) {
        overridden.emplace(context.store, *gameDirectory);
    }
    ValueStore& store = overridden ? static_cast<ValueStore&>(*overridden) : context.store;
    MainWindowLife life(session, store, recent, prompts);
    life.create(currentDirectory());
    life.show();
    return prompts.failures() == 0 ? kExitOk : kExitFailure;
}

int ctlStoreState(CtlContext& context, SessionSettings& session, RecentFiles& recent) {
    CtlPrompts prompts(context.err);
    MainWindowLife life(session, context.store, recent, prompts);
    life.close();
    life.destroy();
    return kExitOk;
}

}  // namespace wyn
