#include "session/command_line.h"

#include "session/game_settings.h"
#include "session/session_settings.h"
#include "store/list_codec.h"

namespace wyn {

namespace {

// A preview item: its setting and its literal, " +" and the console text. The
// literals are joined once, so a rebuild appends each item in two pieces.
struct PreviewItem {
    const GameSetting* setting;
    std::string literal;
};

const std::vector<PreviewItem>& previewItems() {
    static const auto items = [] {
        std::vector<PreviewItem> items;
        for (const GameSetting* setting : gameSettings(GameOutput::Preview)) {
            items.push_back({setting, " +" + std::string(setting->command)});
        }
        return items;
    }();
    return items;
}

}  // namespace

std::string buildCommandLine(const SessionSettings& s) {
    std::string text = s.executablePath();
    text.reserve(text.size() + 640);  // the usual line fits: one allocation
    for (const auto& [setting, literal] : previewItems()) {
        if (const auto value = settingValue(*setting, GameOutput::Preview, s)) {
            text += literal;
            appendSettingValue(text, *setting, *value);
        }
    }
    return text;
}

std::vector<std::string> commandLineToScript(const std::string& editedText,
                                             const std::string& executablePath) {
    std::string line = editedText.substr(0, editedText.find_first_of("\r\n"));
    if (const auto at = line.find(executablePath);
        !executablePath.empty() && at != std::string::npos) {
        line.erase(at, executablePath.size() + 1);
    }
    auto pieces = splitList(line, "+", true);
    if (!pieces.empty()) {
        pieces.erase(pieces.begin());
    }
    return pieces;
}

}  // namespace wyn
