#include "app/ctl_news.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "base/errors.h"
#include "base/text.h"
#include "news/dev_news.h"
#include "news/finger.h"
#include "news/news_text.h"

namespace wyn {

namespace {

constexpr const char* kNewsUsage =
    "news [QUERY] [--timeout SECONDS] [--port N] [--raw]\n"
    "  QUERY      user@host (default: the configured news query)\n"
    "  --timeout  seconds for each wait, 0 for no limit (default 60)\n"
    "  --port     port of the finger server (default: the \"finger\" service, else 79)\n"
    "  --raw      print the reply as received, CR dropped";

struct NewsOptions {
    std::optional<std::string> query;
    int timeOut = TFinger::kDefaultTimeOut;
    std::uint16_t port = 0;
    bool raw = false;
};

bool parseNumber(const std::string& text, int lowest, int highest, int& value) {
    return tryParseInteger(text, value) && value >= lowest && value <= highest;
}

// Nothing when the arguments are wrong.
std::optional<NewsOptions> parseNewsOptions(const CtlArguments& args) {
    NewsOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const auto& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--raw") {
            options.raw = true;
        } else if (arg == "--timeout" && hasValue) {
            if (!parseNumber(args[++i], 0, std::numeric_limits<int>::max(), options.timeOut)) {
                return std::nullopt;
            }
        } else if (arg == "--port" && hasValue) {
            int port = 0;
            if (!parseNumber(args[++i], 1, 65535, port)) {
                return std::nullopt;
            }
            options.port = static_cast<std::uint16_t>(port);
        } else if (startsWith(arg, "-") || options.query) {
            return std::nullopt;
        } else {
            options.query = arg;
        }
    }
    return options;
}

}  // namespace

int ctlNews(CtlContext& context, const CtlArguments& args) {
    const auto options = parseNewsOptions(args);
    if (!options) {
        return usageError(context, kNewsUsage);
    }
    std::string reply;
    TFinger finger;
    finger.setTerminal(&reply);
    finger.setTimeOut(options->timeOut);
    finger.setPort(options->port);
    try {
        finger.setQuery(options->query ? *options->query : configuredNewsQuery(context.store));
        finger.Execute();
    } catch (const WynError& error) {
        context.err << generalErrorText(error) << '\n';
        return kExitFailure;
    }
    if (options->raw) {
        context.out << reply;
    } else {
        for (const auto& line : extractNews(reply)) {
            context.out << line << '\n';
        }
    }
    context.out.flush();
    return kExitOk;
}

}  // namespace wyn
