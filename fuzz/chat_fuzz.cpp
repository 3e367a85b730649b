// Any bytes as chat.txt: read, write, read again gives the same book, and the
// written text is a fixed point, as long as no comment holds a topic header
// (the format has no way to write such a comment).
#include "base/text.h"
#include "base/text_file.h"
#include "chat/chat_book.h"
#include "fuzz_check.h"

namespace {

bool holdsHeader(const wyn::ChatBook& book) {
    for (const auto& topic : book.topics) {
        for (const auto& comment : topic.comments) {
            for (const auto& info : wyn::chatTopicInfos()) {
                if (wyn::contains(comment, info.header)) {
                    return true;
                }
            }
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace wyn;
    const ChatBook first = parseChatBook(splitLines(fuzz::asText(data, size)));
    const std::string text = chatFileText(first);
    FUZZ_CHECK(splitLines(text) == chatBookLines(first));
    if (holdsHeader(first)) {
        return 0;
    }
    const ChatBook second = parseChatBook(splitLines(text));
    FUZZ_CHECK(second == first);
    FUZZ_CHECK(chatFileText(second) == text);
    return 0;
}
