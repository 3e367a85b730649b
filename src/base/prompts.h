#pragma once

#include <optional>
#include <string>

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

}  // namespace wyn
