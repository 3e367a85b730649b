// The command-line editor's conversion on any edited text and executable path.
#include <algorithm>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz_check.h"
#include "session/command_line.h"
#include "store/list_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace wyn;
    FuzzedDataProvider input(data, size);
    const std::string executable = input.ConsumeRandomLengthString(32);
    const std::string edited = input.ConsumeRemainingBytesAsString();

    const auto script = commandLineToScript(edited, executable);
    for (const auto& line : script) {
        FUZZ_CHECK(line.find_first_of("+\r\n") == std::string::npos);
    }
    const std::string first = edited.substr(0, edited.find_first_of("\r\n"));
    const auto pluses = static_cast<std::size_t>(std::count(first.begin(), first.end(), '+'));
    FUZZ_CHECK(script.size() <= pluses);
    if (executable.empty() || first.find(executable) == std::string::npos) {
        // The line is used whole: every "+" starts a script line, and the lines
        // are the end of the line, unchanged.
        FUZZ_CHECK(script.size() == pluses);
        if (!script.empty()) {
            const std::string tail = "+" + joinList(script, "+", true);
            FUZZ_CHECK(first.size() >= tail.size() &&
                       first.compare(first.size() - tail.size(), tail.size(), tail) == 0);
        }
    }
    return 0;
}
