#pragma once

#include <optional>
#include <string>

#include "base/errors.h"

namespace wyn {

// The questions an operation asks in its middle. The window answers them with
// dialogs; tests and wynctl answer them without anyone watching. Each
// subsystem extends this with the prompts of its own operations, deriving
// virtually, so that one class can answer the questions of them all.
class MessagePrompts {
public:
    virtual ~MessagePrompts() = default;

    // A modal box titled "Error" with one OK button.
    virtual void showError(const std::string& text) = 0;
    // A modal box titled "Information" with one OK button.
    virtual void showInformation(const std::string& text) = 0;
};

// An input box: caption, label and initial answer; nothing when cancelled.
class TextPrompt {
public:
    virtual ~TextPrompt() = default;
    virtual std::optional<std::string> askText(const std::string& caption, const std::string& label,
                                               const std::string& initial) = 0;
};

// The general error display: a failure nobody expected, after which the
// program goes on.
class FailurePrompt {
public:
    virtual ~FailurePrompt() = default;
    virtual void showFailure(const std::string& text) = 0;
};

// Runs one call; a failure nobody expected is shown by the general error
// display, and the program goes on. Every connection of the windows runs its
// call through this.
template <typename Call>
void guarded(FailurePrompt& prompts, Call&& call) {
    try {
        call();
    } catch (const WynError& error) {
        prompts.showFailure(generalErrorText(error));
    }
}

}  // namespace wyn
