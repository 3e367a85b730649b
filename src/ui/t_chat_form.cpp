#include "ui/t_chat_form.h"

#include <QPushButton>

#include "base/lists.h"
#include "platform/qt_text.h"
#include "session/session_settings.h"
#include "ui/accessible_names.h"
#include "ui/list_binding.h"
#include "ui/t_chat_comment_form.h"
#include "ui_t_chat_form.h"

namespace wyn {

namespace {

constexpr QSize kDesignedSize(430, 277);

// The editor keeps its topics and comments as plain lists with a selection.
SelectList shownList(std::vector<std::string> items, Selection selected) {
    SelectList list(std::move(items));
    list.select(selected);
    return list;
}

}  // namespace

TChatForm::TChatForm(ChatEditor& editor, UiPrompts& prompts, QWidget* parent)
    : EditorDialog(
          prompts, [&editor] { editor.cancel(); }, parent),
      ui(std::make_unique<Ui::TChatForm>()),
      m_editor(editor) {
    ui->setupUi(this);
    setWindowTitle(toQt(kChatFormCaption));
    m_topics = new ListBinding(ui->TopicsListBox, false, [this](Selection row) {
        forward([&] { m_editor.selectTopic(row); });
    });
    m_comments = new ListBinding(ui->ChatListBox, false, [this](Selection row) {
        forward([&] { m_editor.selectComment(row); });
    });
    command(ui->AddButton, [this] { m_editor.add(); });
    command(ui->EditButton, [this] { m_editor.edit(); });
    command(ui->DeleteButton, [this] { m_editor.deleteComment(); });
    command(ui->OKButton, [this] { m_editor.ok(); });
    command(ui->CancelButton, [this] { m_editor.cancel(); });
    m_connection = m_editor.onChange([this](const ChatChange& change) { redraw(change); });

    // Every topic shows without scrolling; sized with a caption on the panel,
    // which it has whenever a topic is selected.
    m_topics->redrawAll(SelectList(ChatEditor::topicNames()));
    QListView* topics = ui->TopicsListBox;
    topics->setFixedHeight(topics->sizeHintForRow(0) * static_cast<int>(kChatTopicCount) +
                           2 * topics->frameWidth());
    ui->ChatPanel->setTitle("Topic");
    nameControlsByTheirLabels(this);
    fixSizeAndCentre(*this, kDesignedSize);
    redraw({true, true, true, false});
}

TChatForm::~TChatForm() = default;

void TChatForm::redraw(const ChatChange& change) {
    if (change.topic) {
        m_topics->redraw(shownList(ChatEditor::topicNames(), m_editor.selectedTopic()),
                         {false, true, false});
        ui->ChatPanel->setTitle(toQt(m_editor.panelCaption()).replace('&', "&&"));
    }
    if (change.comments || change.comment) {
        m_comments->redraw(shownList(m_editor.comments(), m_editor.selectedComment()),
                           {change.comments, true, false});
    }
    if (change.result) {
        closeAs(m_editor.result());
    }
}

void runChatEditor(QWidget* parent, const SessionSettings& session, UiPrompts& prompts) {
    ChatEditor editor(session.gameDirectory(), session.profile(), prompts);
    runEditor<TChatForm>(editor, prompts, parent);
}

std::optional<std::string> askNewChatComment(QWidget* parent) {
    TNewChatForm form(parent);
    if (form.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return fromQt(form.comment());
}

std::optional<std::string> askEditedChatComment(QWidget* parent, const std::string& comment) {
    TEditChatForm form(toQt(comment), parent);
    if (form.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return fromQt(form.comment(), {comment});  // unchanged, it keeps its bytes
}

}  // namespace wyn
