// What users feel of the windows, each beside its floor in the same run:
// - start-up to the first paint of the main window on the sample installation,
//   against a bare Qt Widgets window of the same size, each a process of its own;
// - the same start-up on the large installation (10,000 maps, 2,000 bots,
//   1,000 scripts), against the one on the sample: start-up must not grow
//   with the installation;
// - the resident memory of the two after that first paint;
// - one keystroke in DirectoryEdit on the large installation, against the
//   core's directory reaction alone.
//
//   wyn_window_bench [benchmark options]
//   wyn_window_bench --child bare WIDTH HEIGHT | --child main GAME_DIRECTORY
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "base/value_store.h"
#include "fake_starter.h"
#include "large_install.h"
#include "platform/qt_text.h"
#include "ui/pictures.h"
#include "ui/t_wyn_form.h"
#include "ui_fakes.h"

extern char** environ;

namespace wyn::bench {
namespace {

std::string g_self;
std::string g_sampleGame;

// --- The child processes.

long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return 0;
}

// Tells the parent, on its first paint, how much memory the process holds.
class FirstPaint : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            QMetaObject::invokeMethod(
                qApp,
                [] {
                    std::printf("painted %ld\n", residentKilobytes());
                    std::fflush(stdout);
                    QApplication::exit(0);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool m_done = false;
};

// A started main window on a game directory, with nobody to answer it.
struct BenchWindow {
    MemoryValueStore store;
    test::FakeStarter starter;
    test::FakePrompts prompts;
    test::FakeWindows windows;
    std::unique_ptr<TWYNForm> form;

    // A filter given watches the window from before it first shows.
    explicit BenchWindow(const std::string& game, QObject* filter = nullptr) {
        store.writeValue("DirectoryEdit", game);
        store.writeValue("FilenameEdit", "quake2");
        form = std::make_unique<TWYNForm>(
            MainWindowServices{PlatformProfile::native(), store, starter, prompts, windows}, game);
        if (filter != nullptr) {
            form->installEventFilter(filter);
        }
        form->start();
    }
};

int runChild(int argc, char** argv) {
    QApplication app(argc, argv);
    FirstPaint firstPaint;
    setUpApplication();  // as the program does, before any window
    const std::string kind = argv[2];
    if (kind == "bare") {
        QWidget window;
        window.resize(std::atoi(argv[3]), std::atoi(argv[4]));
        window.installEventFilter(&firstPaint);
        window.show();
        return QApplication::exec();
    }
    BenchWindow window(argv[3], &firstPaint);
    return QApplication::exec();
}

// --- The parent: starts a child and waits for its first paint.

struct ChildRun {
    double seconds = 0;
    long kilobytes = 0;
};

ChildRun runAndWaitForPaint(const std::vector<std::string>& arguments) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        return {};
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    std::vector<char*> argv;
    argv.push_back(g_self.data());
    std::vector<std::string> copies = arguments;
    for (auto& argument : copies) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    const auto begin = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned =
        posix_spawn(&child, g_self.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    ChildRun run;
    if (spawned == 0) {
        FILE* out = fdopen(pipeFds[0], "r");
        char line[128] = {};
        if (std::fgets(line, sizeof line, out) != nullptr &&
            std::sscanf(line, "painted %ld", &run.kilobytes) == 1) {
            run.seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        }
        std::fclose(out);
        int status = 0;
        waitpid(child, &status, 0);
    } else {
        close(pipeFds[0]);
    }
    return run;
}

// The main window's outer size on this platform, for the bare window.
const QSize& mainWindowSize() {
    static const QSize size = BenchWindow(g_sampleGame).form->size();
    return size;
}

void childBenchmark(benchmark::State& state, const std::vector<std::string>& arguments) {
    long kilobytes = 0;
    for (auto _ : state) {
        const ChildRun run = runAndWaitForPaint(arguments);
        if (run.seconds == 0) {
            state.SkipWithError("the window did not paint");
            return;
        }
        state.SetIterationTime(run.seconds);
        kilobytes = run.kilobytes;
    }
    state.counters["resident_kB"] = static_cast<double>(kilobytes);
}

void StartupToFirstPaint(benchmark::State& state) {
    childBenchmark(state, {"--child", "main", g_sampleGame});
}
BENCHMARK(StartupToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

void StartupToFirstPaintFloor(benchmark::State& state) {
    const QSize size = mainWindowSize();
    childBenchmark(
        state, {"--child", "bare", std::to_string(size.width()), std::to_string(size.height())});
}
BENCHMARK(StartupToFirstPaintFloor)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

void StartupToFirstPaintLarge(benchmark::State& state) {
    childBenchmark(state, {"--child", "main", largeInstall().str()});
}
BENCHMARK(StartupToFirstPaintLarge)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// --- One keystroke in DirectoryEdit on 10,000 maps.

// The directory, then the directory with a separator at its end: both name the
// game, so every keystroke runs the whole reaction and rescans the maps.
void DirectoryKeystroke(benchmark::State& state) {
    BenchWindow window(largeInstall().str());
    TWYNForm& form = *window.form;
    const auto& prompts = window.prompts;
    auto* edit = form.findChild<QLineEdit*>("DirectoryEdit");
    auto* maps = form.findChild<QListView*>("ExternalMapsListBox");
    maps->doItemsLayout();  // its tab is hidden: laid out, as when it is shown
    maps->verticalScrollBar()->setValue(maps->verticalScrollBar()->maximum() / 2);
    const int scrolled = maps->verticalScrollBar()->value();
    edit->setFocus();
    edit->end(false);
    bool slash = false;
    for (auto _ : state) {
        QTest::keyClick(edit, slash ? Qt::Key_Backspace : Qt::Key_Slash);
        QCoreApplication::processEvents();  // the directory reaction runs from the event loop
        slash = !slash;
    }
    if (scrolled == 0 || maps->verticalScrollBar()->value() != scrolled ||
        !prompts.questions.empty()) {
        state.SkipWithError("the map list lost its scroll position");
    }
}
BENCHMARK(DirectoryKeystroke)->Unit(benchmark::kMillisecond);

void DirectoryKeystrokeFloor(benchmark::State& state) {
    SessionSettings session(PlatformProfile::native());
    session.setText(Field::DirectoryEdit, largeInstall().str());
    for (auto _ : state) {
        session.directoryReaction();
        benchmark::DoNotOptimize(session.mapList(MapType::External).items().data());
    }
}
BENCHMARK(DirectoryKeystrokeFloor)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wyn::bench

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "--child") == 0) {
        return wyn::bench::runChild(argc, argv);
    }
    char self[4096] = {};
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    wyn::bench::g_self = length > 0 ? std::string(self, static_cast<std::size_t>(length)) : argv[0];
    const char* sample = std::getenv("WYN_SAMPLE_GAME");
    wyn::bench::g_sampleGame = sample != nullptr ? sample : WYN_DEFAULT_SAMPLE_GAME;
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
