#pragma once

#include <optional>
#include <string>

#include "app/ctl_context.h"

namespace wyn {

class RecentFiles;
class SessionSettings;

// wynctl recent: the stored recent presets, one full path per line, most
// recent first.
int ctlRecent(CtlContext& context, const CtlArguments& args);

// wynctl cycle: the map cycle editor as it opens, "Current<TAB>NAME" lines for
// the cycle of vantor/maps.txt, then "Available<TAB>NAME" lines.
int ctlCycle(CtlContext& context, const CtlArguments& args);

// --restore: brings a session with its design defaults to the state the main
// window shows after start-up (the start-up check, the stored state with its
// repairs, the first command-line rebuild) and reads the recent files. A game
// directory given on the command line stands in for the stored one. Nobody
// answers: messages go to the error stream and the locate dialog counts as
// cancelled. A failure is printed and gives kExitFailure; the session is
// restored as far as it goes.
int ctlRestoreState(CtlContext& context, SessionSettings& session, RecentFiles& recent,
                    const std::optional<std::string>& gameDirectory);

// --store: stores the session as closing the main window does, then the
// recent files.
int ctlStoreState(CtlContext& context, SessionSettings& session, RecentFiles& recent);

}  // namespace wyn
