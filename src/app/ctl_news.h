#pragma once

#include "app/ctl_context.h"

namespace wyn {

// wynctl news [QUERY] [--timeout SECONDS] [--port N] [--raw]: runs the finger
// query (the configured one by default) and prints the news lines as the news
// window shows them, or with --raw the reply as received without CR.
int ctlNews(CtlContext& context, const CtlArguments& args);

}  // namespace wyn
