#pragma once

#include <stdexcept>
#include <string>

namespace wyn {

// A failure nobody expects: a file that cannot be opened or created, a text
// that is not a number, a network failure. The window shows what() in the
// general error display (followed by a full stop); wynctl prints it.
class WynError : public std::runtime_error {
public:
    explicit WynError(const std::string& text) : std::runtime_error(text) {}
};

[[noreturn]] void throwCannotOpenFile(const std::string& path);
[[noreturn]] void throwCannotCreateFile(const std::string& path);
[[noreturn]] void throwNotValidInteger(const std::string& text);

// The text the general error display shows for a failure.
std::string generalErrorText(const WynError& error);

}  // namespace wyn
