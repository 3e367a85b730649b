#include "app/ctl_chat.h"

#include <optional>
#include <string>

#include "app/ctl_prompts.h"
#include "base/errors.h"
#include "chat/chat_book.h"
#include "chat/chat_editor.h"

namespace wyn {

int ctlChat(CtlContext& context, const CtlArguments& args) {
    if (!args.empty()) {
        return usageError(context, "chat");
    }
    CtlPrompts prompts(context.err);
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
