// Any bytes as maps.txt, opened in the map cycle editor of a small
// installation, moved about a little and saved: nothing is lost or invented,
// and the saved cycle reads back as saved.
#include <cstdio>

#include <fuzzer/FuzzedDataProvider.h>

#include "base/text.h"
#include "base/text_file.h"
#include "content/map_cycle.h"
#include "fuzz_check.h"
#include "temp_dir.h"

namespace {

using namespace wyn;

class QuietPrompts : public MessagePrompts {
public:
    void showError(const std::string&) override { ++errors; }
    void showInformation(const std::string&) override {}
    int errors = 0;
};

struct Installation {
    test::GameDir game;

    Installation() {
        for (const char* pak : {"baseq2/pak0.pak", "baseq2/pak1.pak", "ctf/pak0.pak"}) {
            game.write(pak);
        }
        game.write("baseq2/maps/mine.bsp");
        game.write("baseq2/maps/Q2DM1.BSP");
    }

    std::string cyclePath() const { return game / "vantor/maps.txt"; }
};

const Installation& installation() {
    static const Installation instance;
    return instance;
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    FUZZ_CHECK(file != nullptr);
    FUZZ_CHECK(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
    FUZZ_CHECK(std::fclose(file) == 0);
}

std::size_t total(const MapCycleEditor& editor) {
    return editor.current().items().size() + editor.available().items().size();
}

void applyMoves(MapCycleEditor& editor, const std::vector<std::uint8_t>& moves) {
    const std::size_t before = total(editor);
    for (const std::uint8_t move : moves) {
        const int index = move / 4 - 1;  // -1 clears the selection; some are out of range
        switch (move % 4) {
            case 0:
                editor.selectCurrent(index);
                break;
            case 1:
                editor.selectAvailable(index);
                break;
            case 2:
                editor.add();
                break;
            default:
                editor.remove();
                break;
        }
        FUZZ_CHECK(total(editor) == before);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Installation& install = installation();
    FuzzedDataProvider input(data, size);
    const auto moves = input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange(0, 8));
    const std::string file = input.ConsumeRemainingBytesAsString();
    writeBytes(install.cyclePath(), file);

    QuietPrompts prompts;
    MapCycleEditor editor(install.game.str(), PlatformProfile::native(), prompts);
    editor.open();
    FUZZ_CHECK(prompts.errors == 0);
    FUZZ_CHECK(editor.current().items() == mapCycleEntries(splitLines(file)));
    for (const auto& name : editor.available().items()) {
        FUZZ_CHECK(indexOfIgnoringCase(editor.current().items(), name) < 0);
    }

    applyMoves(editor, moves);
    const auto saved = editor.current().items();
    editor.ok();
    FUZZ_CHECK(editor.isClosed());
    FUZZ_CHECK(readFileBytes(install.cyclePath()) == joinLines(saved));

    MapCycleEditor reopened(install.game.str(), PlatformProfile::native(), prompts);
    reopened.open();
    FUZZ_CHECK(reopened.current().items() == mapCycleEntries(saved));
    return 0;
}
