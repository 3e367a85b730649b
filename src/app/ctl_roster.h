#pragma once

#include "app/ctl_context.h"

namespace wyn {

// wynctl roster: prints bots.cfg exactly as the bot profile editor's OK would
// write it for the current file (CR LF after every line), without writing
// anything. A team without members is reported as OK reports it (exit 1); a
// missing file is reported and the empty roster's text is printed.
int ctlRoster(CtlContext& context, const CtlArguments& args);

}  // namespace wyn
