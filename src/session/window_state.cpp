#include "session/window_state.h"

#include <array>

#include "base/errors.h"
#include "session/session_settings.h"
#include "store/easy_reg.h"
#include "store/list_codec.h"
#include "store/stored_values.h"

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

// The session's fields as the state store walks them. Saving reads a const
// session; restoring changes it. A radio restored clear is only unchecked: a
// radio reacts to being chosen.
class SessionControls : public StoredControls {
public:
    explicit SessionControls(const SessionSettings& session) : m_session(session) {}
    explicit SessionControls(SessionSettings& session)
        : m_session(session), m_changeable(&session) {}

    std::size_t count() const override { return kStoredControls.size(); }
    std::string_view name(std::size_t i) const override {
        return fieldInfo(kStoredControls[i]).name;
    }
    bool isBoolean(std::size_t i) const override { return wyn::isBoolean(kStoredControls[i]); }
    bool checked(std::size_t i) const override { return m_session.checked(kStoredControls[i]); }
    std::string text(std::size_t i) const override { return m_session.text(kStoredControls[i]); }
    void setChecked(std::size_t i, bool value) override {
        m_changeable->setChecked(kStoredControls[i], value);
    }
    void setText(std::size_t i, const std::string& value) override {
        m_changeable->setText(kStoredControls[i], value);
    }

private:
    const SessionSettings& m_session;
    SessionSettings* m_changeable = nullptr;
};

// The stored last map of each list, or its first entry.
void selectStoredMaps(SessionSettings& session, const TEasyReg& reg, bool onlyWhereNone) {
    for (const MapType type : kMapTypes) {
        if (onlyWhereNone && session.mapList(type).hasSelection()) {
            continue;
        }
        session.selectMapByName(type, reg.ReadValue(lastMapValue(type)));
        if (!session.mapList(type).hasSelection()) {
            session.selectMap(type, 0);
        }
    }
}

}  // namespace

std::span<const Field> storedControls() {
    return kStoredControls;
}

void RestoreControls(SessionSettings& session, const TEasyReg& reg) {
    SessionControls controls(session);
    reg.RestoreAll(controls);
}

void SaveControls(const SessionSettings& session, const TEasyReg& reg, MessagePrompts* messages) {
    reg.SaveAll(SessionControls(session), messages);
}

const char* lastMapValue(MapType type) {
    switch (type) {
        case MapType::General:
            return stored::LastGeneralMap;
        case MapType::CTF:
            return stored::LastCTFMap;
        case MapType::External:
            break;
    }
    return stored::LastExternalMap;
}

void WriteExplicitValues(const SessionSettings& session, const TEasyReg& reg) {
    reg.WriteValue(stored::Bots, joinNames(session.bots().checkedNames()));
    reg.WriteValue(stored::BotTeams, joinNames(session.botTeams().checkedNames()));
    reg.WriteValue(stored::RedBots, joinNames(session.redList().items()));
    reg.WriteValue(stored::BlueBots, joinNames(session.blueList().items()));
    reg.WriteValue(stored::YourTeamComboBox, session.text(F::YourTeamComboBox));
    // A list without a selection keeps the map stored before.
    for (const MapType type : kMapTypes) {
        if (session.mapList(type).hasSelection()) {
            reg.WriteValue(lastMapValue(type), session.mapList(type).selection());
        }
    }
    reg.WriteValue(stored::ConfigComboBox, session.text(F::ConfigComboBox));
}

void SaveWindowState(const SessionSettings& session, const TEasyReg& reg) {
    WriteExplicitValues(session, reg);
    SaveControls(session, reg);
}

void RestoreWindowState(SessionSettings& session, const TEasyReg& reg) {
    FailureCollector failures;
    session.change([&] {
        // The lists must be read from the game directory in every case: when
        // the restore leaves the directory's text as it is, its reaction does
        // not run.
        const bool directoryReacts =
            reg.ReadValue(stored::DirectoryEdit) != session.text(F::DirectoryEdit);
        failures.run([&] { RestoreControls(session, reg); });
        if (!directoryReacts) {
            failures.run([&] { session.directoryReaction(); });
        }

        selectStoredMaps(session, reg, false);
        session.setText(F::ConfigComboBox, reg.ReadValue(stored::ConfigComboBox));

        // Repairs the empty texts and chooses a bot mode and map type when none
        // is. An edit whose reaction fails keeps its new text, so a repeat of the
        // repairs goes on after it: one more try than there are fields to repair.
        failures.runUntilDone([&] { session.repairAfterRestore(); }, kFieldCount + 1);
        // Repairing an empty directory or executable re-reads the game directory,
        // and the rescan drops the selections just made: make them again.
        selectStoredMaps(session, reg, true);
        // The view rules follow from the state: the window redraws from viewState().

        session.checkBots(splitNames(reg.ReadValue(stored::Bots)));
        session.setText(F::YourTeamComboBox, reg.ReadValue(stored::YourTeamComboBox));
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
    });
    failures.rethrow();
}

}  // namespace wyn
