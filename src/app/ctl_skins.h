#pragma once

#include "app/ctl_context.h"

namespace wyn {

// wynctl models: the player models, one per line.
int ctlModels(CtlContext& context, const CtlArguments& args);

// wynctl skins MODEL: the skins of a model, one per line.
int ctlSkins(CtlContext& context, const CtlArguments& args);

// wynctl pcx FILE [--ppm OUT]: "WIDTH HEIGHT COLOURS" of a PCX picture and,
// with --ppm, the decoded picture written as a binary PPM.
int ctlPcx(CtlContext& context, const CtlArguments& args);

}  // namespace wyn
