#pragma once

#include <string>
#include <vector>

#include "fake_prompts.h"
#include "ui/window_prompts.h"

namespace wyn::test {

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
    void openJoinGame() override { opened.emplace_back("join"); }
    void openServerStatus() override { opened.emplace_back("status"); }
};

}  // namespace wyn::test
