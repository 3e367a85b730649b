#include <QTabWidget>

#include "base/file_system.h"
#include "bots/player_models.h"
#include "bots/roster_editor.h"
#include "chat/chat_editor.h"
#include "content/map_cycle.h"
#include "platform/qt_text.h"
#include "screenshots.h"
#include "ui/t_chat_comment_form.h"
#include "ui/t_chat_form.h"
#include "ui/t_edit_form.h"
#include "ui/t_maps_form.h"
#include "ui_fakes.h"

namespace wyn::test {

namespace {

const PlatformProfile& profile() {
    return PlatformProfile::native();
}

void shootRosterEditor(const ScreenshotContext& context) {
    RosterEditor editor(context.game, profile(), context.prompts);
    editor.open();
    // A bot whose skin has an icon, so the preview shows a picture.
    const auto& bots = editor.roster().bots;
    for (std::size_t i = 0; i < bots.size(); ++i) {
        if (fileExists(SkinIconPath(std::vector<std::string>{context.game}, bots[i].model,
                                    bots[i].skin, profile()))) {
            editor.selectBot(i);
            break;
        }
    }
    TEditForm form(editor, context.prompts, context.session, context.store);
    auto* tabs = form.findChild<QTabWidget*>("EditPageControl");
    const char* names[] = {"roster-bots", "roster-teams", "roster-vwep"};
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        saveScreenshot(form, context.directory, names[i]);
    }
}

void shootChatEditor(const ScreenshotContext& context) {
    ChatEditor editor(context.game, profile(), context.prompts);
    editor.open();
    TChatForm form(editor, context.prompts);
    saveScreenshot(form, context.directory, "chat");

    TNewChatForm add;
    saveScreenshot(add, context.directory, "chat-new");
    const auto& comments = editor.comments();
    TEditChatForm edit(toQt(comments.empty() ? std::string("Hello %s.") : comments.front()));
    saveScreenshot(edit, context.directory, "chat-edit");
}

void shootMapCycleEditor(const ScreenshotContext& context) {
    MapCycleEditor editor(context.game, profile(), context.prompts);
    editor.open();
    editor.selectCurrent(0);
    TMapsForm form(editor, context.prompts);
    saveScreenshot(form, context.directory, "maps");
}

}  // namespace

void shootEditors(const ScreenshotContext& context) {
    shootRosterEditor(context);
    shootChatEditor(context);
    shootMapCycleEditor(context);
}

}  // namespace wyn::test
