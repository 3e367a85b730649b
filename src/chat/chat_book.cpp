#include "chat/chat_book.h"

#include "base/text.h"
#include "base/text_file.h"

namespace wyn {

const std::array<ChatTopicInfo, kChatTopicCount>& chatTopicInfos() {
    static const std::array<ChatTopicInfo, kChatTopicCount> infos{{
        {"-- Greetings", "Greetings", "There are no more greetings to delete."},
        {"-- Insults (general)", "Insults (general)",
         "There are no more general insults to delete."},
        {"-- Insults (kicking ass)", "Insults (kicking ass)",
         "There are no more kicking ass insults to delete."},
        {"-- Insults (losing, coming back)", "Insults (losing, coming back)",
         "There are no more losing, coming back insults to delete."},
        {"-- Come-backs", "Come-backs", "There are no more come backs to delete."},
        {"-- TEAMPLAY: Help!", "TEAMPLAY: Help!",
         "There are no more help in teamplay comments to delete."},
        {"-- TEAMPLAY: Drop Item (not implemented yet)",
         "TEAMPLAY: Drop Item (not implemented yet)",
         "There are no more drop item teamplay comments to delete."},
        // The add-on's header has no "!"; a header with one still contains it.
        {"-- TEAMPLAY: Let's Group", "TEAMPLAY: Let's Group!",
         "There are no more teamplay group comments to delete."},
    }};
    return infos;
}

std::string chatFilePath(std::string_view gameDirectory, const PlatformProfile& profile) {
    return profile.path(gameDirectory, {"vantor", "chat.txt"});
}

namespace {

std::size_t findHeader(const std::vector<std::string>& lines, std::size_t from,
                       std::string_view header) {
    while (from < lines.size() && !contains(lines[from], header)) {
        ++from;
    }
    return from;
}

}  // namespace

ChatBook parseChatBook(const std::vector<std::string>& lines) {
    const auto& infos = chatTopicInfos();
    ChatBook book;
    for (std::size_t k = 0; k < kChatTopicCount; ++k) {
        const std::size_t header = findHeader(lines, 0, infos[k].header);
        if (header == lines.size()) {
            continue;
        }
        const std::size_t first = header + 1;
        const std::size_t end =
            k + 1 < kChatTopicCount ? findHeader(lines, first, infos[k + 1].header) : lines.size();
        book.topics[k].comments.assign(lines.begin() + static_cast<std::ptrdiff_t>(first),
                                       lines.begin() + static_cast<std::ptrdiff_t>(end));
    }
    return book;
}

std::vector<std::string> chatBookLines(const ChatBook& book) {
    const auto& infos = chatTopicInfos();
    std::vector<std::string> lines;
    for (std::size_t k = 0; k < kChatTopicCount; ++k) {
        lines.emplace_back(infos[k].header);
        const auto& comments = book.topics[k].comments;
        lines.insert(lines.end(), comments.begin(), comments.end());
    }
    return lines;
}

std::string chatFileText(const ChatBook& book) {
    return joinLines(chatBookLines(book));
}

ChatBook ReadChatBook(const std::string& path) {
    return parseChatBook(readLines(path));
}

void WriteChatBook(const std::string& path, const ChatBook& book) {
    writeFileAtomic(path, chatFileText(book));
}

}  // namespace wyn
