// What users feel of the bot profile editor on a roster of 2,000 bots and 200
// teams, each beside its floor in the same run:
// - opening the dialog (reading bots.cfg, the models and skins, filling every
//   list, showing it), against the core's ReadRoster of the same file;
// - moving the selection through 100 bots with the arrow key, each bot showing
//   the icon of its own skin, against decoding the same 100 icons.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListView>
#include <QTest>
#include <memory>

#include "base/value_store.h"
#include "bots/pcx.h"
#include "bots/roster_editor.h"
#include "bots/roster_file.h"
#include "large_install.h"
#include "platform/pcx_image_handler.h"
#include "session/session_settings.h"
#include "ui/t_edit_form.h"
#include "ui_fakes.h"

namespace wyn::bench {
namespace {

constexpr int kMoves = 100;

// The editor's dialog on the large roster, open and shown.
struct OpenRosterEditor {
    test::FakePrompts prompts;
    SessionSettings session{PlatformProfile::native()};
    MemoryValueStore store;
    RosterEditor editor{largeSkinnedInstall().str(), PlatformProfile::native(), prompts};
    std::unique_ptr<TEditForm> form;

    OpenRosterEditor() {
        registerPcxImageFormat();
        editor.open();
        form = std::make_unique<TEditForm>(editor, prompts, session, store);
        form->show();
        QApplication::processEvents();
    }
};

void RosterEditorOpen(benchmark::State& state) {
    for (auto _ : state) {
        OpenRosterEditor open;
        benchmark::DoNotOptimize(open.form.get());
    }
}
BENCHMARK(RosterEditorOpen)->Unit(benchmark::kMillisecond);

void RosterEditorOpenFloor(benchmark::State& state) {
    const std::string path = largeSkinnedInstall() / "vantor/bots.cfg";
    for (auto _ : state) {
        const BotRoster roster = ReadRoster(path);
        benchmark::DoNotOptimize(roster.bots.data());
    }
}
BENCHMARK(RosterEditorOpenFloor)->Unit(benchmark::kMillisecond);

// Down through the first 100 bots, then up again: every key shows another
// bot and another picture.
void RosterEditorBrowse100(benchmark::State& state) {
    OpenRosterEditor open;
    auto* bots = open.form->findChild<QListView*>("BotsListBox");
    bots->setFocus();
    bool down = true;
    for (auto _ : state) {
        for (int i = 0; i < kMoves; ++i) {
            QTest::keyClick(bots, down ? Qt::Key_Down : Qt::Key_Up);
        }
        down = !down;
    }
    if (open.editor.botControls().coverShown || !open.prompts.failures.empty()) {
        state.SkipWithError("the preview did not show the icons");
    }
}
BENCHMARK(RosterEditorBrowse100)->Unit(benchmark::kMillisecond);

void RosterEditorBrowseFloor(benchmark::State& state) {
    for (auto _ : state) {
        for (int i = 0; i < kMoves; ++i) {
            PcxPicture picture;
            if (readPcxFile(largeSkinIconPath(i % kLargeSkinCount), picture) != PcxFault::None) {
                state.SkipWithError("an icon was refused");
                return;
            }
            benchmark::DoNotOptimize(picture.pixels.data());
        }
    }
}
BENCHMARK(RosterEditorBrowseFloor)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wyn::bench
