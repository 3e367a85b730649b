#include "session/roster_choices.h"

#include "base/value_store.h"
#include "bots/roster_editor.h"
#include "session/session_settings.h"
#include "store/list_codec.h"
#include "store/stored_values.h"

namespace wyn {

RosterChoices captureRosterChoices(const SessionSettings& session) {
    return {joinNames(session.bots().checkedNames()), joinNames(session.botTeams().checkedNames()),
            session.text(Field::YourTeamComboBox), joinNames(session.redList().items()),
            joinNames(session.blueList().items())};
}

void storeRosterChoices(const RosterChoices& choices, ValueStore& store) {
    store.writeValue(stored::Bots, choices.bots);
    store.writeValue(stored::BotTeams, choices.botTeams);
    store.writeValue(stored::YourTeam, choices.yourTeam);
    store.writeValue(stored::RedBots, choices.redBots);
    store.writeValue(stored::BlueBots, choices.blueBots);
}

void restoreRosterChoices(SessionSettings& session, const RosterChoices& choices) {
    session.change([&] {
        session.checkBots(splitNames(choices.bots));
        session.setText(Field::YourTeamComboBox, choices.yourTeam);
        session.checkBotTeams(splitNames(choices.botTeams));
        session.setCtfTeams(splitNames(choices.redBots), splitNames(choices.blueBots));
        session.fillAvailable();
    });
}

bool SaveRoster(RosterEditor& editor, SessionSettings& session, ValueStore& store) {
    if (!editor.ok()) {
        return false;
    }
    const RosterChoices choices = captureRosterChoices(session);
    storeRosterChoices(choices, store);
    // The names as the file just written holds them, without reading it again.
    const BotRoster written = rosterFromLines(rosterLines(editor.roster()).lines);
    session.change([&] {
        session.setRoster(botNames(written), teamNames(written));
        // Restored from what was stored, not read back: a store that cannot be
        // written must not lose the main window's choices.
        restoreRosterChoices(session, choices);
    });
    return true;
}

}  // namespace wyn
