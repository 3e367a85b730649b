#include "app/ctl_prompts.h"

#include "base/errors.h"

namespace wyn {

void CtlPrompts::showError(const std::string& text) {
    m_err << text << '\n';
}

void CtlPrompts::showInformation(const std::string& text) {
    m_err << text << '\n';
}

void CtlPrompts::showFailure(const std::string& text) {
    ++m_failures;
    m_err << text << '\n';
}

bool CtlPrompts::editCommandLine(std::string&) {
    return true;
}

std::optional<std::string> CtlPrompts::choosePresetSavePath(const std::string&) {
    return std::nullopt;
}

std::optional<std::string> CtlPrompts::askText(const std::string&, const std::string&,
                                               const std::string& initial) {
    throw WynError(notAGameDirectoryMessage(initial));
}

void CtlPrompts::showLocateDialog(LocateDialog& dialog) {
    dialog.cancel();
}

std::optional<std::string> CtlPrompts::askNewComment() {
    return std::nullopt;
}

std::optional<std::string> CtlPrompts::askEditedComment(const std::string&) {
    return std::nullopt;
}

std::string notAGameDirectoryMessage(const std::string& directory) {
    return "'" + directory + "' is not a Quake II directory: it has no baseq2 directory";
}

}  // namespace wyn
