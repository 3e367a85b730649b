#include "fake_prompts.h"

#include "content/locate_dialog.h"

namespace wyn::test {

void FakePrompts::showError(const std::string& text) {
    errors.push_back(text);
}

void FakePrompts::showInformation(const std::string& text) {
    infos.push_back(text);
}

void FakePrompts::showFailure(const std::string& text) {
    failures.push_back(text);
    if (onFailure) {
        onFailure(text);
    }
}

void FakePrompts::showGameEnd(const GameEndReport& report) {
    gameEnds.push_back(report);
}

std::optional<std::string> FakePrompts::ask(std::string question) {
    questions.push_back(std::move(question));
    if (answers.empty()) {
        return std::nullopt;
    }
    auto answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

std::optional<std::string> FakePrompts::askText(const std::string& caption,
                                                const std::string& label,
                                                const std::string& initial) {
    return ask(caption + "|" + label + "|" + initial);
}

bool FakePrompts::editCommandLine(std::string& line) {
    const bool confirmed = answers.empty() || answers.front().has_value();
    if (auto edited = ask("Command line|" + line)) {
        line = *edited;
    }
    return confirmed;
}

std::optional<std::string> FakePrompts::choosePresetSavePath(const std::string& current) {
    return ask("Save preset|" + current);
}

std::optional<std::string> FakePrompts::choosePresetOpenPath(
    const std::vector<std::string>& history) {
    std::string question = "Open preset";
    for (const auto& path : history) {
        question += "|" + path;
    }
    return ask(question);
}

void FakePrompts::showLocateDialog(LocateDialog& dialog) {
    questions.push_back("Locate|" + dialog.infoText());
    if (whileLocating) {
        whileLocating(dialog);
    }
    if (!dialog.isClosed()) {
        dialog.cancel();
    }
}

std::optional<std::string> FakePrompts::askNewComment() {
    return ask("New comment");
}

std::optional<std::string> FakePrompts::askEditedComment(const std::string& comment) {
    return ask("Edit comment|" + comment);
}

bool FakePrompts::confirmJoin(const std::string& warning) {
    return ask("Join anyway|" + warning).has_value();
}

void FakePrompts::editMapCycle() {
    questions.emplace_back("Map cycle editor");
}

void FakePrompts::editBotProfiles() {
    questions.emplace_back("Bot profile editor");
    if (whileEditingBots) {
        whileEditingBots();
    }
}

}  // namespace wyn::test
