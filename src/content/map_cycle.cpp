#include "content/map_cycle.h"

#include "base/errors.h"
#include "base/file_system.h"
#include "base/text.h"
#include "base/text_file.h"
#include "content/map_catalogue.h"

namespace wyn {

namespace {

void appendUnlessIn(std::vector<std::string>& available, const std::vector<std::string>& current,
                    std::string_view name) {
    if (indexOfIgnoringCase(current, name) < 0) {
        available.emplace_back(name);
    }
}

}  // namespace

std::vector<std::string> mapCycleEntries(std::vector<std::string> lines) {
    if (!lines.empty() && lines.front().empty()) {
        lines.erase(lines.begin());
    }
    return lines;
}

std::vector<std::string> availableCycleMaps(const std::string& gameDirectory,
                                            const std::vector<std::string>& current,
                                            const PlatformProfile& profile) {
    std::vector<std::string> available;
    for (const auto& row : knownMapTable()) {
        // The add-on's copy of a CTF pak is not needed for the cycle.
        if (pakPresent(gameDirectory, row.pak, profile)) {
            for (const auto name : row.maps) {
                appendUnlessIn(available, current, name);
            }
        }
    }
    for (const auto& name : listLooseMaps(gameDirectory, profile)) {
        appendUnlessIn(available, current, name);
    }
    return available;
}

MapCycleEditor::MapCycleEditor(std::string gameDirectory, const PlatformProfile& profile,
                               MessagePrompts& prompts)
    : m_gameDirectory(std::move(gameDirectory)), m_profile(profile), m_prompts(prompts) {}

std::string MapCycleEditor::path() const {
    return m_profile.path(m_gameDirectory, {"vantor", "maps.txt"});
}

void MapCycleEditor::open() {
    m_tracker.run([&] {
        m_result = DialogResult::Open;
        std::vector<std::string> lines;
        try {
            lines = readLines(path());
        } catch (const WynError& error) {
            m_prompts.showError(error.what());
            m_current.clear();
            m_available.clear();
            // A file that is there but cannot be read must not be replaced by
            // the empty cycle on OK.
            m_keepFile = fileExists(path());
            return;
        }
        m_keepFile = false;
        m_current.setItems(mapCycleEntries(std::move(lines)));
        m_available.setItems(availableCycleMaps(m_gameDirectory, m_current.items(), m_profile));
    });
}

void MapCycleEditor::selectCurrent(Selection index) {
    m_tracker.run([&] { m_current.select(index); });
}

void MapCycleEditor::selectAvailable(Selection index) {
    m_tracker.run([&] { m_available.select(index); });
}

void MapCycleEditor::add() {
    m_tracker.run([&] { moveSelected(m_available, m_current); });
}

void MapCycleEditor::remove() {
    m_tracker.run([&] { moveSelected(m_current, m_available); });
}

void MapCycleEditor::ok() {
    if (!m_keepFile) {
        writeLines(path(), m_current.items());
    }
    m_tracker.run([&] { m_result = DialogResult::Ok; });
}

void MapCycleEditor::cancel() {
    m_tracker.run([&] {
        m_current.clear();
        m_available.clear();
        m_result = DialogResult::Cancel;
    });
}

}  // namespace wyn
