// Any bytes as a preset file, loaded into a session of a small installation:
// no crash, no hang, the session stays consistent, and what it saves loads
// back to the same preset.
#include <cstdio>
#include <memory>

#include "base/errors.h"
#include "base/text.h"
#include "base/text_file.h"
#include "fuzz_check.h"
#include "session/preset_file.h"
#include "session/session_settings.h"
#include "temp_dir.h"

namespace {

using namespace wyn;

struct Installation {
    test::GameDir game;
    std::string presetPath;

    Installation() {
        for (const char* pak :
             {"baseq2/pak0.pak", "baseq2/pak1.pak", "ctf/pak0.pak", "vantor/pak0.pak"}) {
            game.write(pak);
        }
        game.write("baseq2/maps/mine.bsp");
        game.write("baseq2/maps/Other.BSP");
        game.write("baseq2/server.cfg");
        game.write("vantor/bots.cfg",
                   "[bots]\n\"A\" \"/\" 3 3 3 5 0 0 100\n\"b\" \"/\" 3 3 3 5 0 0 100\n"
                   "\"C\" \"/\" 3 3 3 5 0 0 100\n[teams]\n\"T1\" \"\" \"\" [\"A\"]\n"
                   "\"T2\" \"\" \"\" [\"b\" \"C\"]\n");
        presetPath = game / "fuzz.wyn";
    }

    // A session on the installation as after File > New.
    std::unique_ptr<SessionSettings> newSession() const {
        auto session = std::make_unique<SessionSettings>(PlatformProfile::native());
        session->setText(Field::DirectoryEdit, game.str());
        session->resetToNew();
        return session;
    }

    void writePreset(std::string_view bytes) const {
        std::FILE* file = std::fopen(presetPath.c_str(), "wb");
        FUZZ_CHECK(file != nullptr);
        FUZZ_CHECK(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
        FUZZ_CHECK(std::fclose(file) == 0);
    }
};

const Installation& installation() {
    static const Installation instance;
    return instance;
}

bool selectionValid(const SelectList& list) {
    return !list.selected() || *list.selected() < list.size();
}

// Every caller of LoadPreset rebuilds the preview afterwards, also after an error.
void checkConsistent(SessionSettings& s) {
    s.rebuildCommandLine();
    FUZZ_CHECK(s.commandLine().starts_with(s.executablePath()));
    for (const MapType type : {MapType::General, MapType::CTF, MapType::External}) {
        FUZZ_CHECK(selectionValid(s.mapList(type)));
    }
    FUZZ_CHECK(selectionValid(s.redList()));
    FUZZ_CHECK(selectionValid(s.blueList()));
    FUZZ_CHECK(selectionValid(s.availableList()));
    FUZZ_CHECK(s.bots().checks().size() == s.bots().items().size());
    FUZZ_CHECK(s.botTeams().checks().size() == s.botTeams().items().size());
    FUZZ_CHECK(s.caption() == "Vantor Frontend - fuzz.wyn");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Installation& install = installation();
    install.writePreset(fuzz::asText(data, size));
    const auto fresh = install.newSession();
    SessionSettings& session = *fresh;
    try {
        LoadPreset(session, install.presetPath);
    } catch (const WynError& error) {
        // Only a latency (line 17) that is no number stops a load.
        const auto lines = splitLines(fuzz::asText(data, size));
        const std::string lag = lines.size() > 17 ? lines[17] : std::string();
        int value = 0;
        FUZZ_CHECK(!tryParseInteger(lag, value));
        const std::string expected = "'" + lag + "' is not a valid integer value";
        FUZZ_CHECK(std::string(error.what()) == expected.c_str());  // what() ends at a NUL
        checkConsistent(session);
        return 0;
    }
    checkConsistent(session);
    const int lag = parseInteger(session.text(Field::LagEdit));
    FUZZ_CHECK(lag >= 1 && lag <= 1000);

    const auto lines = presetLines(session);
    FUZZ_CHECK(lines.size() == static_cast<std::size_t>(kPresetLineCount));
    install.writePreset(joinLines(lines));
    const auto again = install.newSession();
    LoadPreset(*again, install.presetPath);
    checkConsistent(*again);
    FUZZ_CHECK(presetLines(*again) == lines);
    return 0;
}
