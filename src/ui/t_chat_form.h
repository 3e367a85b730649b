#pragma once

#include <memory>
#include <optional>
#include <string>

#include "base/notifier.h"
#include "chat/chat_editor.h"
#include "ui/editor_dialogs.h"

class QWidget;

namespace Ui {
class TChatForm;
}

namespace wyn {

class ListBinding;
class SessionSettings;

// "Edit Chat.txt": the eight topics and the selected topic's comments of a
// chat editor that has read its file. Each user event is one call of the
// editor, which asks for new and changed comments through the prompts; the
// window redraws what its change notice names and closes when it closed.
class TChatForm : public EditorDialog {
    Q_OBJECT

public:
    TChatForm(ChatEditor& editor, UiPrompts& prompts, QWidget* parent = nullptr);
    ~TChatForm() override;

private:
    void redraw(const ChatChange& change);

    std::unique_ptr<Ui::TChatForm> ui;
    ChatEditor& m_editor;
    ListBinding* m_topics = nullptr;
    ListBinding* m_comments = nullptr;
    Connection m_connection;
};

// "Edit Chat.txt", modal, fresh at every opening, on the session's game directory.
void runChatEditor(QWidget* parent, const SessionSettings& session, UiPrompts& prompts);

// "Add Chat Comment" and "Edit Chat Comment": the text on OK, nothing on Cancel.
std::optional<std::string> askNewChatComment(QWidget* parent);
std::optional<std::string> askEditedChatComment(QWidget* parent, const std::string& comment);

}  // namespace wyn
