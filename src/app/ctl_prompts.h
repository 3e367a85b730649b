#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "bots/roster_editor.h"
#include "chat/chat_editor.h"
#include "session/startup.h"

namespace wyn {

// Nobody answers a dialog in wynctl: messages go to standard error, the
// command-line editor is confirmed with the line unchanged, the preset save
// dialog and the editors' input boxes are cancelled, the locate dialog is
// closed as cancelled, and the directory prompt stops the command.
class CtlPrompts : public StartupPrompts, public RosterPrompts, public ChatPrompts {
public:
    explicit CtlPrompts(std::ostream& err) : m_err(err) {}

    void showError(const std::string& text) override;
    void showInformation(const std::string& text) override;
    void showFailure(const std::string& text) override;
    bool editCommandLine(std::string& line) override;
    std::optional<std::string> choosePresetSavePath(const std::string& current) override;
    // wynctl meets only the directory prompt: a directory without baseq2.
    std::optional<std::string> askText(const std::string& caption, const std::string& label,
                                       const std::string& initial) override;
    void showLocateDialog(LocateDialog& dialog) override;
    std::optional<std::string> askNewComment() override;
    std::optional<std::string> askEditedComment(const std::string& comment) override;

    // How many failures the general error display has shown.
    int failures() const { return m_failures; }

private:
    std::ostream& m_err;
    int m_failures = 0;
};

// The message that stops a command on a directory that is no game directory.
std::string notAGameDirectoryMessage(const std::string& directory);

}  // namespace wyn
