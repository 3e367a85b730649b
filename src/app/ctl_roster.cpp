#include "app/ctl_roster.h"

#include <optional>
#include <string>

#include "app/ctl_prompts.h"
#include "base/errors.h"
#include "base/text_file.h"
#include "bots/roster_editor.h"

namespace wyn {

int ctlRoster(CtlContext& context, const CtlArguments& args) {
    if (!args.empty()) {
        return usageError(context, "roster");
    }
    CtlPrompts prompts(context.err);
    RosterEditor editor(context.gameDirectory, context.profile, prompts);
    try {
        editor.open();
    } catch (const WynError& error) {
        context.err << generalErrorText(error) << '\n';
        return kExitFailure;
    }
    const RosterText text = rosterLines(editor.roster());
    if (text.teamWithoutMembers) {
        prompts.showError(teamWithoutMembersText(*text.teamWithoutMembers));
        return kExitFailure;
    }
    context.out << joinLines(text.lines);
    return kExitOk;
}

}  // namespace wyn
