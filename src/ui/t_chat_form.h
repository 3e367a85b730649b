#pragma once

#include <optional>
#include <string>

class QWidget;

namespace wyn {

class SessionSettings;
class UiPrompts;

// "Edit Chat.txt", modal, fresh at every opening, on the session's game directory.
void runChatEditor(QWidget* parent, const SessionSettings& session, UiPrompts& prompts);

// "Add Chat Comment" and "Edit Chat Comment": the text on OK, nothing on Cancel.
std::optional<std::string> askNewChatComment(QWidget* parent);
std::optional<std::string> askEditedChatComment(QWidget* parent, const std::string& comment);

}  // namespace wyn
