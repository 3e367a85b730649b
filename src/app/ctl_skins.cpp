#include "app/ctl_skins.h"

#include "base/errors.h"
#include "base/text_file.h"
#include "bots/pcx.h"
#include "bots/player_models.h"
#include "engine/engine_folders.h"

namespace wyn {

namespace {

// Where the executable's engine reads models and skins, first wins.
std::vector<std::string> contentRoots(const CtlContext& context) {
    const auto& p = context.profile;
    const auto game = gameEngineAt(p.programPath(context.gameDirectory, context.executable),
                                   context.gameDirectory, p);
    return engineRoots(game.engine, game.environment);
}

void printLines(CtlContext& context, const std::vector<std::string>& lines) {
    for (const auto& line : lines) {
        context.out << line << "\n";
    }
}

}  // namespace

int ctlModels(CtlContext& context, const CtlArguments& args) {
    if (!args.empty()) {
        return usageError(context, "models");
    }
    printLines(context, ListPlayerModels(contentRoots(context), context.profile));
    return kExitOk;
}

int ctlSkins(CtlContext& context, const CtlArguments& args) {
    if (args.size() != 1 || args[0].empty()) {
        return usageError(context, "skins MODEL");
    }
    printLines(context, ListSkins(contentRoots(context), args[0], context.profile));
    return kExitOk;
}

int ctlPcx(CtlContext& context, const CtlArguments& args) {
    constexpr const char* kUsage = "pcx FILE [--ppm OUT]";
    const bool withPpm = args.size() == 3 && args[1] == "--ppm";
    if ((args.size() != 1 && !withPpm) || args[0].empty() || (withPpm && args[2].empty())) {
        return usageError(context, kUsage);
    }
    try {
        PcxPicture picture;
        if (readPcxFile(args[0], picture) != PcxFault::None) {
            context.err << invalidPictureText(args[0]) << "\n";
            return kExitFailure;
        }
        if (withPpm) {
            writeFileAtomic(args[2], encodePpm(picture));
        }
        context.out << picture.width << " " << picture.height << " " << picture.colours() << "\n";
    } catch (const WynError& error) {
        context.err << generalErrorText(error) << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace wyn
