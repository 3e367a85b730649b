#include "session/join_game.h"

#include <algorithm>

#include "servers/recent_servers.h"
#include "session/join.h"
#include "session/session_settings.h"

namespace wyn {

JoinGame::JoinGame(const SessionSettings& session, ValueStore& store, ServerAsker& asker,
                   JoinPrompts& prompts, GameStarter& starter, std::chrono::milliseconds timeout)
    : m_session(session),
      m_store(store),
      m_asker(asker),
      m_prompts(prompts),
      m_starter(starter),
      m_timeout(timeout) {}

void JoinGame::open() {
    m_tracker.run([&] {
        m_recent = readRecentServers(m_store);
        rebuildRows();
        if (!m_recent.empty()) {
            search(false);
        }
    });
}

std::array<std::string, kJoinColumns.size()> JoinGame::cells(std::size_t row) const {
    const JoinRow& entry = m_rows.at(row);
    if (!entry.answer) {
        return {wyn::addressText(entry.address)};
    }
    const ServerStatus& status = entry.answer->status;
    return {wyn::addressText(entry.address), serverName(status), serverMap(status),
            wyn::playersText(status), std::to_string(entry.answer->ping.count())};
}

Selection JoinGame::selectedRow() const {
    const auto typed = parseServerAddress(m_address);
    if (!typed) {
        return std::nullopt;
    }
    const auto found = std::ranges::find(m_rows, *typed, &JoinRow::address);
    return found == m_rows.end() ? Selection{}
                                 : Selection{static_cast<std::size_t>(found - m_rows.begin())};
}

std::string JoinGame::stateText() const {
    if (m_asked) {
        return "Asking " + wyn::addressText(*m_asked) + "...";
    }
    if (m_searchingLan) {
        return "Searching the local network...";
    }
    return m_notice;
}

void JoinGame::setAddressText(const std::string& text) {
    m_tracker.run([&] { m_address = text; });
}

void JoinGame::chooseRow(Selection row) {
    if (row && *row < m_rows.size()) {
        m_tracker.run([&] { m_address = wyn::addressText(m_rows[*row].address); });
    }
}

void JoinGame::findLanGames() {
    m_tracker.run([&] { search(true); });
}

// One list query at a time: a new one takes the place of the last.
void JoinGame::search(bool localNetwork) {
    m_notice.clear();
    m_searchingLan = localNetwork;
    m_searching =
        m_asker.ask(m_recent, localNetwork, m_timeout,
                    [this, localNetwork](ServerAnswers answers) { listed(answers, localNetwork); });
}

void JoinGame::listed(const ServerAnswers& answers, bool localNetwork) {
    m_tracker.run([&] {
        m_searching.disconnect();
        m_searchingLan = false;
        m_answers = answers.servers;
        rebuildRows();
        if (localNetwork && answers.servers.empty()) {
            m_notice = answers.problems.empty() ? "No games found on the local network."
                                                : answers.problems.back();
        }
    });
}

void JoinGame::join() {
    if (m_asked) {
        return;
    }
    // Nothing is sent for an address that is none or a program that cannot join.
    const auto check = checkServerAddress(m_address);
    if (!check.address) {
        m_prompts.showError(check.problem);
        return;
    }
    if (const auto problem = joinProblem(m_session, m_session.recogniseEngine())) {
        m_prompts.showError(*problem);
        return;
    }
    m_tracker.run([&] {
        m_notice.clear();
        m_asked = *check.address;
        m_joining = m_asker.ask({*check.address}, false, m_timeout,
                                [this, address = *check.address](ServerAnswers answers) {
                                    answered(address, answers);
                                });
    });
}

void JoinGame::answered(const ServerAddress& address, const ServerAnswers& answers) {
    const ServerEntry* entry = answers.servers.find(address);
    m_tracker.run([&] {
        m_joining.disconnect();
        m_asked.reset();
        if (entry != nullptr) {
            m_answers.merge(*entry);
            rebuildRows();
        }
    });
    std::string warning;
    if (entry == nullptr) {
        // Why it did not answer, where the query could tell (a name not found).
        for (const auto& problem : answers.problems) {
            warning += problem + '\n';
        }
    }
    if (const auto unexpected = joinWarning(address, entry)) {
        warning += *unexpected;
        if (!m_prompts.confirmJoin(warning)) {
            return;
        }
    }
    const LaunchResult result =
        Join(m_session, wyn::addressText(address), m_prompts, m_starter, &m_store);
    m_tracker.run([&] {
        m_closeMainWindow = result.closeWindow;
        if (result.outcome == LaunchOutcome::Started || result.closeWindow) {
            m_result = DialogResult::Ok;
        }
    });
}

void JoinGame::cancel() {
    m_tracker.run([&] {
        m_searching.disconnect();
        m_joining.disconnect();
        m_asked.reset();
        m_searchingLan = false;
        m_result = DialogResult::Cancel;
    });
}

void JoinGame::rebuildRows() {
    std::vector<JoinRow> rows;
    const auto answerOf = [this](const ServerAddress& address) {
        const ServerEntry* entry = m_answers.find(address);
        return entry != nullptr ? std::optional<ServerEntry>(*entry) : std::nullopt;
    };
    for (const auto& address : m_recent) {
        rows.push_back({address, answerOf(address)});
    }
    for (const auto& entry : m_answers.servers()) {
        if (std::ranges::find(m_recent, entry.address) == m_recent.end()) {
            rows.push_back({entry.address, entry});
        }
    }
    ++m_rowsRevision;
    m_rows = std::move(rows);
}

JoinGameChange JoinGame::compare(const Snapshot& before) const {
    return {before.address != m_address, before.rowsRevision != m_rowsRevision,
            before.selection != selectedRow(),
            before.state != stateText() || before.joining != m_asked.has_value() ||
                before.searching != m_searchingLan,
            before.result != m_result};
}

}  // namespace wyn
