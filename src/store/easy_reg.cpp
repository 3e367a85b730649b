#include "store/easy_reg.h"

#include <array>
#include <optional>

#include "base/errors.h"
#include "base/prompts.h"
#include "base/value_store.h"
#include "session/session_settings.h"
#include "store/list_codec.h"

namespace wyn {

namespace {

using F = Field;

constexpr std::array kStoredControls{
    F::DirectoryEdit,
    F::ExitCheckBox,
    F::FilenameEdit,
    F::ManEditCheckBox,
    F::ExternalCheckBox,
    F::ConfigCheckBox,
    F::ConfigComboBox,
    F::LogCheckBox,
    F::ViewCommandLineCheckBox,
    F::SaveSettingsCheckBox,
    F::RandomMapCheckBox,
    F::GeneralMapsRadio,
    F::CTFMapsRadio,
    F::ExternalMapsRadio,
    F::NoHealthCheckBox,
    F::NoPowerupsCheckBox,
    F::WeaponsStayCheckBox,
    F::NoFallingDamageCheckBox,
    F::InstantItemsCheckBox,
    F::ForceRespawnCheckBox,
    F::SpawnFarthestCheckBox,
    F::NoFriendlyFireCheckBox,
    F::TeamsModelsCheckBox,
    F::TeamsSkinsCheckBox,
    F::SameLevelCheckBox,
    F::NoArmorCheckBox,
    F::AllowExitCheckBox,
    F::InfiniteAmmoCheckBox,
    F::QuadDropCheckBox,
    F::FixedFOVCheckBox,
    F::ForceJoinCheckBox,
    F::ArmorProtectCheckBox,
    F::NoTechCheckBox,
    F::CTFAutoTeamsComboBox,
    F::CaptureLimitCheckBox,
    F::CaptureLimitComboBox,
    F::HumanOnlyCheckBox,
    F::SpecialTeamsCheckBox,
    F::SpecialTeamsComboBox,
    F::DedicatedCheckBox,
    F::AllowCheatsCheckBox,
    F::FragLimitCheckBox,
    F::TimeLimitCheckBox,
    F::MaxClientsComboBox,
    F::TimeLimitComboBox,
    F::FragLimitComboBox,
    F::PlayersPerTeamComboBox,
    F::YourTeamComboBox,
    F::TeamplayCheckBox,
    F::ViewWeaponsCheckBox,
    F::ClientCommandsCheckBox,
    F::BotConnectInfoCheckBox,
    F::DynamicNodeCheckBox,
    F::BotChatCheckBox,
    F::FreeClientsComboBox,
    F::BotTarzanCheckBox,
    F::SpecificRadio,
    F::BotNumComboBox,
    F::RandomRadio,
    F::BotSkillComboBox,
    F::AutoSkillCheckBox,
};

// Every field but the latency is stored.
static_assert(kStoredControls.size() == kFieldCount - 1);

// Runs the steps of a sequence to the end even when one fails; the first
// failure is thrown afterwards.
class FailureCollector {
public:
    template <typename Step>
    void run(Step&& step) {
        try {
            step();
        } catch (const WynError& error) {
            if (!m_first) {
                m_first = error;
            }
        }
    }
    // For a step that can be taken again after a failure and then gets
    // further each time; at most attempts times.
    template <typename Step>
    void runUntilDone(Step&& step, int attempts) {
        for (int i = 0; i < attempts; ++i) {
            try {
                step();
                return;
            } catch (const WynError& error) {
                if (!m_first) {
                    m_first = error;
                }
            }
        }
    }
    void rethrow() const {
        if (m_first) {
            throw *m_first;
        }
    }

private:
    std::optional<WynError> m_first;
};

std::string encode(const SessionSettings& session, Field field) {
    if (isBoolean(field)) {
        return session.checked(field) ? kStoredChecked : kStoredClear;
    }
    return session.text(field);
}

// A radio restored clear is only unchecked: a radio reacts to being chosen.
void restoreControl(SessionSettings& session, Field field, const std::string& value) {
    if (isBoolean(field)) {
        session.setChecked(field, value == kStoredChecked);
    } else {
        session.setText(field, value);
    }
}

// The stored last map of each list, or its first entry.
void selectStoredMaps(SessionSettings& session, const TEasyReg& reg, bool onlyWhereNone) {
    for (const MapType type : kMapTypes) {
        if (onlyWhereNone && session.mapList(type).hasSelection()) {
            continue;
        }
        session.selectMapByName(type, reg.ReadValue(stored::lastMap(type)));
        if (!session.mapList(type).hasSelection()) {
            session.selectMap(type, 0);
        }
    }
}

}  // namespace

std::span<const Field> storedControls() {
    return kStoredControls;
}

const char* stored::lastMap(MapType type) {
    switch (type) {
        case MapType::General:
            return "LastGeneralMap";
        case MapType::CTF:
            return "LastCTFMap";
        case MapType::External:
            break;
    }
    return "LastExternalMap";
}

// --- TEasyReg.

void TEasyReg::RestoreAll(SessionSettings& session) const {
    FailureCollector failures;
    for (const Field field : kStoredControls) {
        const std::string value = ReadValue(std::string(fieldInfo(field).name));
        failures.run([&] { restoreControl(session, field, value); });
    }
    failures.rethrow();
}

void TEasyReg::SaveAll(const SessionSettings& session, MessagePrompts* messages) const {
    for (const Field field : kStoredControls) {
        const std::string name(fieldInfo(field).name);
        if (!WriteValue(name, encode(session, field)) && ShowMessages && messages != nullptr) {
            messages->showError("Error writing to registry. (" + name + ")");
        }
    }
}

bool TEasyReg::WriteValue(const std::string& name, const std::string& value) const {
    return m_store.writeValue(name, value);
}

bool TEasyReg::WriteBoolean(const std::string& name, bool value) const {
    return WriteValue(name, value ? kStoredChecked : kStoredClear);
}

bool TEasyReg::WriteInteger(const std::string& name, long long value) const {
    return WriteValue(name, std::to_string(value));
}

std::string TEasyReg::ReadValue(const std::string& name) const {
    return m_store.readValue(name);
}

// --- The main window's sequences.

void WriteExplicitValues(const SessionSettings& session, const TEasyReg& reg) {
    reg.WriteValue(stored::Bots, joinNames(session.bots().checkedNames()));
    reg.WriteValue(stored::BotTeams, joinNames(session.botTeams().checkedNames()));
    reg.WriteValue(stored::RedBots, joinNames(session.redList().items));
    reg.WriteValue(stored::BlueBots, joinNames(session.blueList().items));
    reg.WriteValue(stored::YourTeam, session.text(F::YourTeamComboBox));
    // A list without a selection keeps the map stored before.
    for (const MapType type : kMapTypes) {
        if (session.mapList(type).hasSelection()) {
            reg.WriteValue(stored::lastMap(type), session.mapList(type).selection());
        }
    }
    reg.WriteValue(stored::Config, session.text(F::ConfigComboBox));
}

void SaveWindowState(const SessionSettings& session, const TEasyReg& reg) {
    WriteExplicitValues(session, reg);
    reg.SaveAll(session);
}

void RestoreWindowState(SessionSettings& session, const TEasyReg& reg) {
    FailureCollector failures;
    // The lists must be read from the game directory in every case: when the
    // restore leaves the directory's text as it is, its reaction does not run.
    const bool directoryReacts = reg.ReadValue(stored::Directory) != session.text(F::DirectoryEdit);
    failures.run([&] { reg.RestoreAll(session); });
    if (!directoryReacts) {
        failures.run([&] { session.directoryReaction(); });
    }

    selectStoredMaps(session, reg, false);
    session.setText(F::ConfigComboBox, reg.ReadValue(stored::Config));

    // Repairs the empty texts and chooses a bot mode and map type when none is.
    // An edit whose reaction fails keeps its new text, so a repeat of the
    // repairs goes on after it: one more try than there are fields to repair.
    failures.runUntilDone([&] { session.repairAfterRestore(); }, kFieldCount + 1);
    // Repairing an empty directory or executable re-reads the game directory,
    // and the rescan drops the selections just made: make them again.
    selectStoredMaps(session, reg, true);
    // The view rules follow from the state: the window redraws from viewState().

    session.checkBots(splitNames(reg.ReadValue(stored::Bots)));
    session.setText(F::YourTeamComboBox, reg.ReadValue(stored::YourTeam));
    if (session.text(F::YourTeamComboBox).empty() && !session.yourTeamItems().empty()) {
        session.setText(F::YourTeamComboBox, session.yourTeamItems().front());
    }
    session.checkBotTeams(splitNames(reg.ReadValue(stored::BotTeams)));
    // The CTF teams come back as stored, also with bots that left the roster.
    session.setCtfTeams(splitNames(reg.ReadValue(stored::RedBots)),
                        splitNames(reg.ReadValue(stored::BlueBots)));
    session.fillAvailable();
    session.applyMapTypeLayout();
    failures.run([&] { session.rebuildCommandLine(); });
    failures.rethrow();
}

}  // namespace wyn
