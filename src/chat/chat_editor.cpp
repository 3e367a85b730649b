#include "chat/chat_editor.h"

#include <algorithm>
#include <utility>

#include "base/file_system.h"

namespace wyn {

namespace {

// A comment is one line of the file; a line break inside one would split it
// and could even start a new topic, so it becomes a blank.
std::string singleLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return text;
}

// The first header the comment holds, in topic order; empty when none.
std::string_view headerIn(const std::string& comment) {
    for (const auto& info : chatTopicInfos()) {
        if (comment.find(info.header) != std::string::npos) {
            return info.header;
        }
    }
    return {};
}

}  // namespace

std::string headerInCommentText(std::string_view header) {
    return "A comment cannot contain the topic header \"" + std::string(header) + "\".";
}

ChatEditor::ChatEditor(std::string chatPath, ChatPrompts& prompts)
    : m_path(std::move(chatPath)), m_prompts(prompts) {}

ChatEditor::ChatEditor(std::string_view gameDirectory, const PlatformProfile& profile,
                       ChatPrompts& prompts)
    : ChatEditor(chatFilePath(gameDirectory, profile), prompts) {}

void ChatEditor::open() {
    m_tracker.run([&] {
        m_book = {};
        m_topic.reset();
        m_comment.reset();
        m_result = DialogResult::Open;
        if (!fileExists(m_path)) {
            m_prompts.showError(std::string(kChatFileMissing));
            return;
        }
        m_book = ReadChatBook(m_path);
        selectTopic(0);
    });
}

std::vector<std::string> ChatEditor::topicNames() {
    std::vector<std::string> names;
    for (const auto& info : chatTopicInfos()) {
        names.emplace_back(info.name);
    }
    return names;
}

std::string ChatEditor::panelCaption() const {
    return m_topic ? std::string(chatTopicInfos()[*m_topic].name) : std::string();
}

const std::vector<std::string>& ChatEditor::comments() const {
    static const std::vector<std::string> none;
    return m_topic ? m_book.topics[*m_topic].comments : none;
}

std::vector<std::string>* ChatEditor::selectedComments() {
    return m_topic ? &m_book.topics[*m_topic].comments : nullptr;
}

void ChatEditor::selectFirstComment() {
    const auto& list = comments();
    m_comment = list.empty() ? std::nullopt : std::optional<std::size_t>(0);
}

void ChatEditor::selectTopic(Selection topic) {
    if (!topic || *topic >= kChatTopicCount) {
        return;
    }
    m_tracker.run([&] {
        m_topic = topic;
        selectFirstComment();
    });
}

void ChatEditor::selectComment(Selection comment) {
    m_tracker.run(
        [&] { m_comment = comment && *comment < comments().size() ? comment : Selection(); });
}

void ChatEditor::add() {
    auto* list = selectedComments();
    if (list == nullptr) {
        return;
    }
    m_tracker.run([&] {
        auto text = m_prompts.askNewComment();
        if (!text) {
            return;
        }
        std::string comment = singleLine(std::move(*text));
        if (!acceptable(comment)) {
            return;
        }
        list->push_back(std::move(comment));
        m_comment = list->size() - 1;
    });
}

void ChatEditor::edit() {
    auto* list = selectedComments();
    if (list == nullptr || !m_comment) {
        return;  // nothing to show in the edit dialog
    }
    m_tracker.run([&] {
        auto text = m_prompts.askEditedComment((*list)[*m_comment]);
        if (!text) {
            return;
        }
        std::string comment = singleLine(std::move(*text));
        if (acceptable(comment)) {
            (*list)[*m_comment] = std::move(comment);
        }
    });
}

bool ChatEditor::acceptable(const std::string& comment) {
    const std::string_view header = headerIn(comment);
    if (header.empty()) {
        return true;
    }
    m_prompts.showError(headerInCommentText(header));
    return false;
}

void ChatEditor::deleteComment() {
    auto* list = selectedComments();
    if (list == nullptr) {
        return;
    }
    m_tracker.run([&] {
        if (!m_comment) {
            m_prompts.showError(std::string(chatTopicInfos()[*m_topic].nothingToDelete));
        } else {
            list->erase(list->begin() + static_cast<std::ptrdiff_t>(*m_comment));
        }
        selectFirstComment();
    });
}

void ChatEditor::ok() {
    WriteChatBook(m_path, m_book);
    m_tracker.run([&] { m_result = DialogResult::Ok; });
}

void ChatEditor::cancel() {
    m_tracker.run([&] { m_result = DialogResult::Cancel; });
}

}  // namespace wyn
