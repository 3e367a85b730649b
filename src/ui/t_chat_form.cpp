#include "ui/t_chat_form.h"

namespace wyn {

void runChatEditor(QWidget*, const SessionSettings&, UiPrompts&) {}

std::optional<std::string> askNewChatComment(QWidget*) {
    return std::nullopt;
}

std::optional<std::string> askEditedChatComment(QWidget*, const std::string&) {
    return std::nullopt;
}

}  // namespace wyn
