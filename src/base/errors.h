#pragma once

#include <optional>
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

// Runs the steps of a sequence to the end even when one fails; the first
// failure is thrown afterwards, so a broken step leaves the rest done.
class FailureCollector {
public:
    template <typename Step>
    void run(Step&& step) {
        try {
            step();
        } catch (const WynError& error) {
            keep(error);
        }
    }
    // For a step that gets further each time it is taken again after a
    // failure: at most attempts times.
    template <typename Step>
    void runUntilDone(Step&& step, int attempts) {
        for (int i = 0; i < attempts; ++i) {
            try {
                step();
                return;
            } catch (const WynError& error) {
                keep(error);
            }
        }
    }
    void rethrow() const {
        if (m_first) {
            throw *m_first;
        }
    }

private:
    void keep(const WynError& error) {
        if (!m_first) {
            m_first = error;
        }
    }

    std::optional<WynError> m_first;
};

}  // namespace wyn
