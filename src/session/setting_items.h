#pragma once

#include <string>

#include "session/session_settings.h"

namespace wyn {

// The conditions the command line and the launch script share: each item is a
// literal followed by a value, written only when its condition holds. Emit
// receives (literal, value) for every item that is written.
template <typename Emit>
class SettingItems {
public:
    SettingItems(const SessionSettings& session, Emit emit)
        : m_session(session), m_emit(std::move(emit)) {}

    void always(const char* literal, const std::string& value) { m_emit(literal, value); }
    void flag(const char* literal, Field field) { always(literal, m_session.flagText(field)); }
    void ifNotEmpty(const char* literal, Field field) {
        if (!m_session.text(field).empty()) {
            always(literal, m_session.text(field));
        }
    }
    // Left out when empty or "0".
    void ifNotZero(const char* literal, Field field) {
        const auto& value = m_session.text(field);
        if (!value.empty() && value != "0") {
            always(literal, value);
        }
    }
    void ifChecked(const char* literal, Field check, Field field) {
        if (m_session.checked(check)) {
            ifNotEmpty(literal, field);
        }
    }
    void flagWord(const char* literal) {
        const auto& word = m_session.flagWord();
        if (!word.empty() && word != "0") {
            always(literal, word);
        }
    }

private:
    const SessionSettings& m_session;
    Emit m_emit;
};

}  // namespace wyn
