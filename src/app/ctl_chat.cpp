#include "app/ctl_chat.h"

#include <optional>
#include <string>

#include "base/errors.h"
#include "chat/chat_book.h"
#include "chat/chat_editor.h"

namespace wyn {

namespace {

// Nobody answers the small dialogs here; messages go to the error stream.
class StreamChatPrompts : public ChatPrompts {
public:
    explicit StreamChatPrompts(std::ostream& err) : m_err(err) {}

    void showError(const std::string& text) override { m_err << text << '\n'; }
    void showInformation(const std::string& text) override { m_err << text << '\n'; }
    std::optional<std::string> askNewComment() override { return std::nullopt; }
    std::optional<std::string> askEditedComment(const std::string&) override {
        return std::nullopt;
    }

private:
    std::ostream& m_err;
};

}  // namespace

int ctlChat(CtlContext& context, const CtlArguments& args) {
    if (!args.empty()) {
        context.err << "Usage: wynctl chat\n";
        return kExitUsage;
    }
    StreamChatPrompts prompts(context.err);
    ChatEditor editor(context.gameDirectory, context.profile, prompts);
    try {
        editor.open();
    } catch (const WynError& error) {
        context.err << generalErrorText(error) << '\n';
        return kExitFailure;
    }
    // A missing file is reported as the editor reports it; OK would then
    // write the empty book, and so that is what is shown.
    context.out << chatFileText(editor.book());
    return kExitOk;
}

}  // namespace wyn
