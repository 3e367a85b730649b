#pragma once

#include <gmock/gmock.h>

#include "base/game_starter.h"
#include "fake_starter.h"
#include "session/launch.h"
#include "session/session_settings.h"

namespace wyn::test {

// Prompts that record what was shown and answer as told.
class FakePrompts : public LaunchPrompts, public TextPrompt {
public:
    std::vector<std::string> errors;
    std::vector<std::string> infos;
    std::vector<std::string> textQuestions;

    bool confirmEditor = true;
    std::string editedLine;  // replaces the line when not empty
    std::optional<std::string> savePath;
    std::vector<std::optional<std::string>> textAnswers;  // consumed in order; then cancel

    void showError(const std::string& text) override { errors.push_back(text); }
    void showInformation(const std::string& text) override { infos.push_back(text); }
    bool editCommandLine(std::string& line) override {
        editorShown = line;
        if (!editedLine.empty()) {
            line = editedLine;
        }
        return confirmEditor;
    }
    std::optional<std::string> choosePresetSavePath(const std::string&) override {
        return savePath;
    }
    std::optional<std::string> askText(const std::string& caption, const std::string& label,
                                       const std::string& initial) override {
        textQuestions.push_back(caption + "|" + label + "|" + initial);
        if (textQuestions.size() > textAnswers.size()) {
            return std::nullopt;
        }
        return textAnswers[textQuestions.size() - 1];
    }

    std::string editorShown;
};

}  // namespace wyn::test
