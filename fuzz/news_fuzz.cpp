// Any finger reply: the news are the lines after the six header lines, without
// those containing "Plan:". The line splitting every file reader shares is
// checked here against a plain one.
#include "base/text_file.h"
#include "fuzz_check.h"
#include "news/news_text.h"

namespace {

// The reply as the terminal holds it: CR dropped, LF ends a line, and an empty
// line after the last LF does not count.
std::vector<std::string> terminalLines(std::string_view reply) {
    std::vector<std::string> lines(1);
    for (const char c : reply) {
        if (c == '\n') {
            lines.emplace_back();
        } else if (c != '\r') {
            lines.back() += c;
        }
    }
    if (lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}

// Lines ended by CR LF, CR or LF, byte by byte.
std::vector<std::string> plainLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::string line;
    bool open = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            open = false;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;
            }
        } else {
            line += c;
            open = true;
        }
    }
    if (open) {
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace wyn;
    const std::string_view reply = fuzz::asText(data, size);
    FUZZ_CHECK(splitLines(reply) == plainLines(reply));
    FUZZ_CHECK(splitLines(joinLines(plainLines(reply))) == plainLines(reply));
    for (const auto& line : extractNews(reply)) {
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
        FUZZ_CHECK(line.find(kNewsPlanMarker) == std::string::npos);
    }

    // The finger client hands over the reply without CR.
    std::string terminal;
    for (const char c : reply) {
        if (c != '\r') {
            terminal += c;
        }
    }
    const auto lines = terminalLines(terminal);
    std::vector<std::string> expected;
    for (std::size_t i = kNewsHeaderLines; i < lines.size(); ++i) {
        if (lines[i].find(kNewsPlanMarker) == std::string::npos) {
            expected.push_back(lines[i]);
        }
    }
    FUZZ_CHECK(extractNews(terminal) == expected);
    return 0;
}
