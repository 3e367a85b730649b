#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "content/locate_dialog.h"
#include "ui/window_prompts.h"

namespace wyn::test {

// Prompts that record what the windows show and answer as told, so a window
// test never meets a modal box.
class FakeUiPrompts : public UiPrompts {
public:
    std::vector<std::string> errors;
    std::vector<std::string> infos;
    std::vector<std::string> failures;
    std::vector<std::string> questions;                  // "caption|label|initial"
    std::deque<std::optional<std::string>> textAnswers;  // then: cancel
    std::optional<std::string> openPath;
    std::optional<std::string> savePath;
    std::vector<std::string> lastOpenHistory;
    bool confirmEditor = true;
    std::string editedLine;  // replaces the line when not empty
    std::string editorShown;
    // What to do with the locate dialog while it is "shown".
    std::function<void(LocateDialog&)> onLocate = [](LocateDialog& dialog) { dialog.cancel(); };
    int locateShown = 0;
    // The chat editor's comment dialogs: answered in order, then cancelled.
    std::deque<std::optional<std::string>> commentAnswers;
    int newCommentsAsked = 0;
    std::vector<std::string> commentsEdited;  // what the edit dialog showed
    // Called as each failure is shown, while the window is as the user sees it then.
    std::function<void(const std::string&)> onFailure;

    void showError(const std::string& text) override { errors.push_back(text); }
    void showInformation(const std::string& text) override { infos.push_back(text); }
    std::vector<GameEndReport> gameEnds;
    void showGameEnd(const GameEndReport& report) override { gameEnds.push_back(report); }
    void showFailure(const std::string& text) override {
        failures.push_back(text);
        if (onFailure) {
            onFailure(text);
        }
    }
    std::optional<std::string> askText(const std::string& caption, const std::string& label,
                                       const std::string& initial) override {
        questions.push_back(caption + "|" + label + "|" + initial);
        if (textAnswers.empty()) {
            return std::nullopt;
        }
        auto answer = textAnswers.front();
        textAnswers.pop_front();
        return answer;
    }
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
    std::optional<std::string> choosePresetOpenPath(
        const std::vector<std::string>& history) override {
        lastOpenHistory = history;
        return openPath;
    }
    void showLocateDialog(LocateDialog& dialog) override {
        ++locateShown;
        onLocate(dialog);
    }
    std::optional<std::string> askNewComment() override {
        ++newCommentsAsked;
        return nextComment();
    }
    std::optional<std::string> askEditedComment(const std::string& comment) override {
        commentsEdited.push_back(comment);
        return nextComment();
    }
    std::optional<std::string> nextComment() {
        if (commentAnswers.empty()) {
            return std::nullopt;
        }
        auto answer = commentAnswers.front();
        commentAnswers.pop_front();
        return answer;
    }
};

// Records which windows the main window opened.
class FakeWindows : public WindowOpener {
public:
    std::vector<std::string> opened;

    void openMapCycleEditor() override { opened.emplace_back("maps"); }
    void openRosterEditor() override { opened.emplace_back("roster"); }
    void openChatEditor() override { opened.emplace_back("chat"); }
    void openWizard() override { opened.emplace_back("wizard"); }
    void openDevNews() override { opened.emplace_back("news"); }
    void openAbout() override { opened.emplace_back("about"); }
};

}  // namespace wyn::test
