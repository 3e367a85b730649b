#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/platform_profile.h"

namespace wyn {

inline constexpr std::size_t kChatTopicCount = 8;

// One topic of chat.txt: the line that opens it in the file, its name in the
// editor's topic list, and what Delete says when the topic has nothing left.
struct ChatTopicInfo {
    std::string_view header;
    std::string_view name;
    std::string_view nothingToDelete;
};

// The eight topics in the order the file and the editor keep them.
const std::array<ChatTopicInfo, kChatTopicCount>& chatTopicInfos();

struct ChatTopic {
    std::vector<std::string> comments;

    bool operator==(const ChatTopic&) const = default;
};

struct ChatBook {
    std::array<ChatTopic, kChatTopicCount> topics;

    bool operator==(const ChatBook&) const = default;
};

// gameDirectory + "\vantor\chat.txt" with the profile's separator.
std::string chatFilePath(std::string_view gameDirectory, const PlatformProfile& profile);

// Each topic takes its own pass over the lines: it starts after the first line
// that contains its header and runs up to the first later line that contains
// the next topic's header (the last topic runs to the end). A topic whose
// header is missing is empty.
ChatBook parseChatBook(const std::vector<std::string>& lines);

// Every header followed by its comments, nothing else.
std::vector<std::string> chatBookLines(const ChatBook& book);

// The bytes WriteChatBook puts in the file.
std::string chatFileText(const ChatBook& book);

// Throws "Cannot open file PATH" when the file cannot be read.
ChatBook ReadChatBook(const std::string& path);
// Replaces the file atomically; throws "Cannot create file PATH" on failure.
void WriteChatBook(const std::string& path, const ChatBook& book);

}  // namespace wyn
