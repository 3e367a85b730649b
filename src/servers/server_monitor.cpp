#include "servers/server_monitor.h"

#include <algorithm>
#include <ranges>

#include "base/text.h"
#include "servers/friend_addresses.h"

namespace wyn {

namespace {

// A limit of 0 (or none sent) is no limit.
bool isNoLimit(const std::string& value) {
    return value.empty() || value.find_first_not_of('0') == std::string::npos;
}

}  // namespace

std::string consoleText(std::string_view output) {
    std::string text;
    text.reserve(output.size());
    while (!output.empty()) {
        const auto end = std::min(output.find('\n'), output.size());
        std::string_view line = output.substr(0, end);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        text += gameText(line);
        if (end < output.size()) {
            text += '\n';
        }
        output.remove_prefix(std::min(end + 1, output.size()));
    }
    return text;
}

ServerMonitor::ServerMonitor(ServerAsker& asker, MessagePrompts& prompts,
                             std::vector<IpAddress> ownAddresses, Timing timing)
    : m_asker(asker), m_prompts(prompts), m_own(std::move(ownAddresses)), m_timing(timing) {}

void ServerMonitor::showStarted(const ServerAddress& server) {
    m_tracker.run([&] {
        m_started = server;
        show(server);
    });
}

void ServerMonitor::show(const ServerAddress& server) {
    m_tracker.run([&] {
        m_wait.disconnect();
        m_address = wyn::addressText(server);
        m_server = server;
        m_friends = isThisMachine(server) ? wyn::friendAddresses(m_own, server.port)
                                          : std::vector<std::string>{m_address};
        m_status.reset();
        m_players.clear();
        ++m_statusRevision;
        m_state = MonitorState::Asking;
        ask();
    });
}

void ServerMonitor::setAddressText(const std::string& text) {
    m_tracker.run([&] { m_address = text; });
}

void ServerMonitor::enter() {
    const auto check = checkServerAddress(m_address);
    if (!check.address) {
        m_prompts.showError(check.problem);
        return;
    }
    show(*check.address);
}

void ServerMonitor::close() {
    m_query.disconnect();
    m_wait.disconnect();
}

bool ServerMonitor::isThisMachine(const ServerAddress& server) const {
    if (equalsIgnoringCase(server.host, "localhost")) {
        return true;
    }
    const auto literal = literalAddress(server);
    return literal && (isLoopback(*literal) || std::ranges::find(m_own, *literal) != m_own.end());
}

void ServerMonitor::ask() {
    m_query = m_asker.ask({*m_server}, false, m_timing.timeout,
                          [this](ServerAnswers answers) { answered(answers); });
}

void ServerMonitor::answered(const ServerAnswers& answers) {
    m_tracker.run([&] {
        m_query.disconnect();
        ++m_refreshes;
        if (const ServerEntry* entry = answers.servers.find(*m_server)) {
            if (m_status != entry->status) {
                m_status = entry->status;
                m_players = entry->status.players;
                ++m_statusRevision;
                std::ranges::stable_sort(m_players, std::ranges::greater{}, &ServerPlayer::frags);
            }
            m_ping = entry->ping;
            m_state = MonitorState::Answering;
        } else {
            m_state = MonitorState::NotAnswering;
        }
        m_wait = m_asker.wait(m_timing.refresh, [this] {
            m_wait.disconnect();
            ask();
        });
    });
}

std::string ServerMonitor::stateText() const {
    switch (m_state) {
        case MonitorState::Idle:
            return {};
        case MonitorState::Asking:
            return "Asking...";
        case MonitorState::Answering:
            return "Answering in " + std::to_string(m_ping.count()) + " ms";
        case MonitorState::NotAnswering:
            return "Not answering";
    }
    return {};
}

std::string ServerMonitor::nameText() const {
    return m_status ? serverName(*m_status) : std::string();
}

std::string ServerMonitor::mapText() const {
    return m_status ? serverMap(*m_status) : std::string();
}

std::string ServerMonitor::playersText() const {
    return m_status ? wyn::playersText(*m_status) : std::string();
}

std::string ServerMonitor::fragLimitText() const {
    if (!m_status) {
        return {};
    }
    const auto value = m_status->rule("fraglimit");
    return isNoLimit(value) ? "none" : value;
}

std::string ServerMonitor::timeLimitText() const {
    if (!m_status) {
        return {};
    }
    const auto value = m_status->rule("timelimit");
    return isNoLimit(value) ? "none" : value + " min";
}

ServerMonitorChange ServerMonitor::compare(const Snapshot& before) const {
    return {
        before.address != m_address,
        before.friends != m_friends,
        before.statusRevision != m_statusRevision,
        before.state != m_state || (m_state == MonitorState::Answering && before.ping != m_ping),
        before.log != logShown(),
        before.refreshes != m_refreshes};
}

}  // namespace wyn
