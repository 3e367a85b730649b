#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/dialog_result.h"
#include "base/lists.h"
#include "base/notifier.h"
#include "base/platform_profile.h"
#include "base/prompts.h"
#include "chat/chat_book.h"

namespace wyn {

inline constexpr std::string_view kChatFormCaption = "Edit Chat.txt";
inline constexpr std::string_view kNewChatFormCaption = "Add Chat Comment";
inline constexpr std::string_view kEditChatFormCaption = "Edit Chat Comment";
inline constexpr std::string_view kNewChatLabel = "New Comment:";
inline constexpr std::string_view kEditChatLabel = "Edit Comment:";
inline constexpr std::string_view kChatHelpText =
    "You can use the variable %s to specify the name of the person you are attacking or "
    "helping.";
inline constexpr std::string_view kChatFileMissing = "Could not find chat.txt.";

// Headers are found anywhere in a line, so a comment holding one would read
// back as that header: such a comment is refused with this message.
// "A comment cannot contain the topic header "HEADER"."
std::string headerInCommentText(std::string_view header);

// The two small dialogs of the chat editor, asked in the middle of Add and Edit.
class ChatPrompts : public virtual MessagePrompts {
public:
    // TNewChatForm with an empty NewChatEdit: the text on OK, nothing on Cancel.
    virtual std::optional<std::string> askNewComment() = 0;
    // TEditChatForm with EditChatEdit holding the comment: the text on OK,
    // nothing on Cancel.
    virtual std::optional<std::string> askEditedComment(const std::string& comment) = 0;
};

// What one change of the chat editor changed.
struct ChatChange {
    bool topic = false;     // TopicsListBox's selection and ChatPanel's caption
    bool comments = false;  // the entries of ChatListBox
    bool comment = false;   // ChatListBox's selection
    bool result = false;    // the editor closed

    bool any() const { return topic || comments || comment || result; }
};

// What TChatForm shows and does: the book, the selected topic (TopicsListBox)
// and the selected comment (ChatListBox). The window forwards each event to
// one call and redraws from the getters.
class ChatEditor {
public:
    ChatEditor(std::string chatPath, ChatPrompts& prompts);
    ChatEditor(std::string_view gameDirectory, const PlatformProfile& profile,
               ChatPrompts& prompts);
    ChatEditor(const ChatEditor&) = delete;
    ChatEditor& operator=(const ChatEditor&) = delete;

    [[nodiscard]] Connection onChange(std::function<void(const ChatChange&)> observer) {
        return m_tracker.connect(std::move(observer));
    }

    // Reads the file and selects the first topic; a missing file is reported
    // and leaves an empty book with no topic selected. A file that exists but
    // cannot be read throws, so the editor never opens on a book it could not
    // read (OK would otherwise replace the file with an empty one).
    void open();

    const std::string& path() const { return m_path; }
    const ChatBook& book() const { return m_book; }
    DialogResult result() const { return m_result; }

    // The items of TopicsListBox.
    static std::vector<std::string> topicNames();
    Selection selectedTopic() const { return m_topic; }
    Selection selectedComment() const { return m_comment; }
    // The caption of ChatPanel: the selected topic's name, empty while none is.
    std::string panelCaption() const;
    // The entries of ChatListBox: the selected topic's comments.
    const std::vector<std::string>& comments() const;

    // TopicsListBox click; nothing, or an index out of range, changes nothing.
    void selectTopic(Selection topic);
    // ChatListBox click; nothing, or an index out of range, selects no comment.
    void selectComment(Selection comment);

    // Add and Edit take the dialog's text as typed; one holding a topic
    // header is refused and changes nothing.
    void add();
    void edit();
    void deleteComment();
    // Writes the file and closes with OK. A failed write throws and leaves the
    // editor open with its edits.
    void ok();
    void cancel();

private:
    struct Snapshot {
        Selection topic;
        std::vector<std::string> comments;
        Selection comment;
        DialogResult result;
    };
    Snapshot snapshot() const { return {m_topic, comments(), m_comment, m_result}; }
    ChatChange compare(const Snapshot& before) const {
        return {before.topic != m_topic, before.comments != comments(), before.comment != m_comment,
                before.result != m_result};
    }
    std::vector<std::string>* selectedComments();
    void selectFirstComment();
    // False, after saying why, for a comment the file could not hold.
    bool acceptable(const std::string& comment);

    std::string m_path;
    ChatPrompts& m_prompts;
    ChatBook m_book;
    Selection m_topic;
    Selection m_comment;
    DialogResult m_result = DialogResult::Open;
    ChangeTracker<ChatChange, Snapshot> m_tracker{
        [this] { return snapshot(); }, [this](const Snapshot& before) { return compare(before); }};
};

}  // namespace wyn
