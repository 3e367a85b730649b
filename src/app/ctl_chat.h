#pragma once

#include "app/ctl_context.h"

namespace wyn {

// wynctl chat: prints the chat file exactly as the chat editor's OK would
// write it for the current chat.txt, without writing anything.
int ctlChat(CtlContext& context, const CtlArguments& args);

}  // namespace wyn
