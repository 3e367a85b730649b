#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "app/ctl_skins.h"
#include "temp_dir.h"

namespace wyn {
namespace {

std::string fixture(const std::string& name) {
    return std::string(WYN_FIXTURES_DIR) + "/pcx/" + name;
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CtlSkinsTest : public ::testing::Test {
protected:
    int run(int (*command)(CtlContext&, const CtlArguments&), const CtlArguments& args) {
        m_out.str("");
        m_err.str("");
        CtlContext context{m_game.str(), "quake2", m_profile, m_store, m_out, m_err};
        return command(context, args);
    }

    test::GameDir m_game;
    PlatformProfile m_profile = PlatformProfile::posix();
    MemoryValueStore m_store;
    std::ostringstream m_out;
    std::ostringstream m_err;
};

TEST_F(CtlSkinsTest, ListsModelsAndSkins) {
    m_game.write("baseq2/players/male/grunt.pcx");
    m_game.write("baseq2/players/male/grunt_i.pcx");
    m_game.write("baseq2/players/male/Viper.pcx");
    m_game.mkdir("baseq2/players/female");
    EXPECT_EQ(run(ctlModels, {}), kExitOk);
    EXPECT_EQ(m_out.str(), "female\nmale\n");
    EXPECT_EQ(run(ctlSkins, {"male"}), kExitOk);
    EXPECT_EQ(m_out.str(), "grunt\nviper\n");
    EXPECT_EQ(run(ctlSkins, {"female"}), kExitOk);
    EXPECT_EQ(m_out.str(), "");
}

TEST_F(CtlSkinsTest, WrongArgumentsPrintUsage) {
    const std::pair<int (*)(CtlContext&, const CtlArguments&), CtlArguments> cases[] = {
        {ctlModels, {"x"}},
        {ctlSkins, {}},
        {ctlSkins, {"male", "female"}},
        {ctlPcx, {}},
        {ctlPcx, {"a.pcx", "--ppm"}},
        {ctlPcx, {"a.pcx", "--pgm", "out.ppm"}},
        {ctlPcx, {"a.pcx", "b.pcx"}},
    };
    for (const auto& [command, args] : cases) {
        EXPECT_EQ(run(command, args), kExitUsage) << args.size();
        EXPECT_NE(m_err.str().find("usage: wynctl "), std::string::npos);
        EXPECT_EQ(m_out.str(), "");
    }
}

TEST_F(CtlSkinsTest, PcxPrintsSizeAndColoursAndWritesThePpm) {
    EXPECT_EQ(run(ctlPcx, {fixture("odd16.pcx")}), kExitOk);
    EXPECT_EQ(m_out.str(), "13 6 16\n");

    const std::string out = m_game / "odd256.ppm";
    EXPECT_EQ(run(ctlPcx, {fixture("odd256.pcx"), "--ppm", out}), kExitOk);
    EXPECT_EQ(m_out.str(), "137 33 256\n");
    EXPECT_EQ(readBytes(out), readBytes(fixture("odd256.ppm")));
}

TEST_F(CtlSkinsTest, PcxRefusesInvalidAndMissingPicturesWithoutWriting) {
    const std::string out = m_game.write("kept.ppm", "old");
    const std::string picture = fixture("truecolor24.pcx");
    EXPECT_EQ(run(ctlPcx, {picture, "--ppm", out}), kExitFailure);
    EXPECT_EQ(m_err.str(), "Invalid PCX picture " + picture + "\n");
    EXPECT_EQ(m_out.str(), "");
    EXPECT_EQ(readBytes(out), "old");

    const std::string missing = m_game / "none.pcx";
    EXPECT_EQ(run(ctlPcx, {missing}), kExitFailure);
    EXPECT_EQ(m_err.str(), "Cannot open file " + missing + ".\n");

    EXPECT_EQ(run(ctlPcx, {fixture("odd16.pcx"), "--ppm", m_game / "no/such/dir/x.ppm"}),
              kExitFailure);
    EXPECT_EQ(m_err.str(), "Cannot create file " + (m_game / "no/such/dir/x.ppm") + ".\n");
}

}  // namespace
}  // namespace wyn
