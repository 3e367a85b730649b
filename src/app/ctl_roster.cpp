#include "app/ctl_roster.h"

#include <optional>
#include <string>

#include "base/errors.h"
#include "base/text_file.h"
#include "bots/roster_editor.h"

namespace wyn {

namespace {

// Nobody answers the input boxes here; messages go to the error stream.
class StreamRosterPrompts : public RosterPrompts {
public:
    explicit StreamRosterPrompts(std::ostream& err) : m_err(err) {}

    void showError(const std::string& text) override { m_err << text << '\n'; }
    void showInformation(const std::string& text) override { m_err << text << '\n'; }
    std::optional<std::string> askText(const std::string&, const std::string&,
                                       const std::string&) override {
        return std::nullopt;
    }

private:
    std::ostream& m_err;
};

}  // namespace

int ctlRoster(CtlContext& context, const CtlArguments& args) {
    if (!args.empty()) {
        context.err << "Usage: wynctl roster\n";
        return kExitUsage;
    }
    StreamRosterPrompts prompts(context.err);
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
