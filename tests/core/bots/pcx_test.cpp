#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>

#include "base/errors.h"
#include "bots/pcx.h"
#include "temp_dir.h"

namespace wyn {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::string fixture(const std::string& name) {
    return std::string(WYN_FIXTURES_DIR) + "/pcx/" + name;
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The colour of entry i in the pictures the builder makes.
PcxColour builderColour(int i) {
    return {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
            static_cast<std::uint8_t>(i / 2)};
}

// A PCX file made byte by byte: a 256-colour picture unless told otherwise.
struct PcxBuilder {
    std::uint8_t manufacturer = 10;
    std::uint8_t bitsPerPixel = 8;
    std::uint8_t planes = 1;
    std::uint16_t xMin = 0, yMin = 0, xMax = 1, yMax = 1;
    std::uint16_t bytesPerLine = 2;
    Bytes data;
    bool palette = true;

    static PcxBuilder colours16(std::uint16_t width, std::uint16_t height, std::uint16_t bpl) {
        PcxBuilder b;
        b.bitsPerPixel = 1;
        b.planes = 4;
        b.xMax = width - 1;
        b.yMax = height - 1;
        b.bytesPerLine = bpl;
        b.palette = false;
        return b;
    }

    std::string bytes() const {
        std::string out(kPcxHeaderSize, '\0');
        auto put16 = [&out](std::size_t at, std::uint16_t v) {
            out[at] = static_cast<char>(v & 0xFF);
            out[at + 1] = static_cast<char>(v >> 8);
        };
        out[0] = static_cast<char>(manufacturer);
        out[1] = 5;
        out[2] = 1;
        out[3] = static_cast<char>(bitsPerPixel);
        put16(4, xMin);
        put16(6, yMin);
        put16(8, xMax);
        put16(10, yMax);
        for (int i = 0; i < 16; ++i) {
            const PcxColour c = builderColour(i);
            out[16 + 3 * i] = static_cast<char>(c.red);
            out[17 + 3 * i] = static_cast<char>(c.green);
            out[18 + 3 * i] = static_cast<char>(c.blue);
        }
        out[65] = static_cast<char>(planes);
        put16(66, bytesPerLine);
        out.append(data.begin(), data.end());
        if (palette) {
            out += '\x0C';
            for (int i = 0; i < 256; ++i) {
                const PcxColour c = builderColour(i);
                out += static_cast<char>(c.red);
                out += static_cast<char>(c.green);
                out += static_cast<char>(c.blue);
            }
        }
        return out;
    }

    PcxFault decode(PcxPicture& picture) const { return decodePcx(bytes(), picture); }
};

// Run-length data that decodes to the bytes: a byte of 192 or more goes as a run of one.
Bytes encoded(const Bytes& bytes) {
    Bytes data;
    for (const std::uint8_t byte : bytes) {
        if (byte >= 0xC0) {
            data.push_back(0xC1);
        }
        data.push_back(byte);
    }
    return data;
}

// The first `width` indexes of every row.
std::vector<Bytes> rows(const PcxPicture& picture) {
    std::vector<Bytes> result;
    for (int y = 0; y < picture.height; ++y) {
        Bytes row;
        for (int x = 0; x < picture.width; ++x) {
            row.push_back(picture.pixelAt(x, y));
        }
        result.push_back(row);
    }
    return result;
}

TEST(Pcx, TwoByTwoPictureDropsLinePaddingAndHasTheFilePalette) {
    PcxBuilder b;
    b.xMin = 10;  // the window need not start at 0
    b.xMax = 11;
    b.bytesPerLine = 3;  // one byte of padding per line
    b.data = {1, 2, 9, 3, 4, 9};
    PcxPicture picture;
    ASSERT_EQ(b.decode(picture), PcxFault::None);
    EXPECT_EQ(picture.width, 2);
    EXPECT_EQ(picture.height, 2);
    EXPECT_EQ(picture.pixels, (Bytes{1, 2, 3, 4}));
    ASSERT_EQ(picture.colours(), 256);
    EXPECT_EQ(picture.palette[200], builderColour(200));
    EXPECT_EQ(picture.colourAt(1, 1), builderColour(4));
}

struct RunCase {
    const char* name;
    Bytes data;
    std::vector<Bytes> rows;
};

TEST(Pcx, RunLengthRule) {
    const RunCase cases[] = {
        {"count 193 emits one byte", {0xC1, 7, 1, 2, 3}, {{7, 1}, {2, 3}}},
        {"count 192 emits nothing and eats its value", {0xC0, 9, 5, 6, 7, 8}, {{5, 6}, {7, 8}}},
        {"191 is a literal", {0xBF, 0xC1, 0xC0, 1, 2}, {{191, 192}, {1, 2}}},
        {"a run fills across a row", {0xC2, 4, 0xC2, 5}, {{4, 4}, {5, 5}}},
        {"surplus of a run is not carried over", {0xC3, 4, 1, 2}, {{4, 4}, {1, 2}}},
        {"a run of 63 is cut at the row end", {0xFF, 9, 0xC1, 3, 0xC1, 6}, {{9, 9}, {3, 6}}},
        {"data ending inside a row leaves zeros", {1, 2, 3}, {{1, 2}, {3, 0}}},
        {"a count without its value leaves zeros", {1, 2, 0xC2}, {{1, 2}, {0, 0}}},
        {"no data at all", {}, {{0, 0}, {0, 0}}},
    };
    for (const auto& c : cases) {
        PcxBuilder b;
        b.data = c.data;
        PcxPicture picture;
        ASSERT_EQ(b.decode(picture), PcxFault::None) << c.name;
        EXPECT_EQ(rows(picture), c.rows) << c.name;
    }
}

TEST(Pcx, ShortDataDoesNotReadThePaletteAsPixels) {
    PcxBuilder b;
    b.xMax = 299;  // a palette of 768 bytes would fill the rows if it were read as data
    b.bytesPerLine = 300;
    b.data = {0xC1, 7};
    PcxPicture picture;
    ASSERT_EQ(b.decode(picture), PcxFault::None);
    EXPECT_EQ(picture.pixelAt(0, 0), 7);
    EXPECT_EQ(picture.pixelAt(1, 0), 0);
    EXPECT_EQ(picture.pixelAt(299, 1), 0);
}

struct PlaneCase {
    Bytes planes;  // one byte per plane, plane 0 first
    Bytes pixels;
};

TEST(Pcx, SixteenColoursTakeBitKOfEachPixelFromPlaneK) {
    const PlaneCase cases[] = {
        {{0x80, 0x00, 0x00, 0x00}, {1, 0, 0, 0, 0, 0, 0, 0}},
        {{0x00, 0x00, 0x00, 0x80}, {8, 0, 0, 0, 0, 0, 0, 0}},
        {{0x01, 0x01, 0x01, 0x01}, {0, 0, 0, 0, 0, 0, 0, 15}},
        {{0xFF, 0x00, 0xFF, 0x00}, {5, 5, 5, 5, 5, 5, 5, 5}},
        {{0x40, 0x40, 0x00, 0x00}, {0, 3, 0, 0, 0, 0, 0, 0}},
        {{0x0F, 0x33, 0x55, 0xC0}, {8, 12, 2, 6, 1, 5, 3, 7}},
    };
    for (const auto& c : cases) {
        auto b = PcxBuilder::colours16(8, 1, 1);
        b.data = encoded(c.planes);
        PcxPicture picture;
        ASSERT_EQ(b.decode(picture), PcxFault::None);
        EXPECT_EQ(picture.pixels, c.pixels) << int(c.planes[0]) << " " << int(c.planes[3]);
    }
}

TEST(Pcx, SixteenColoursUseTheHeaderPaletteAndDecodeAllPlanesOfARow) {
    auto b = PcxBuilder::colours16(10, 2, 2);  // two bytes per plane
    // Row 0 as one run over all four planes; row 1 with plane 2 only.
    b.data = {0xC8, 0xFF, 0, 0, 0, 0, 0xC1, 0xC0, 0xC1, 0xC0, 0, 0};
    PcxPicture picture;
    ASSERT_EQ(b.decode(picture), PcxFault::None);
    EXPECT_EQ(picture.pixels.size(), 20u);  // the unused bits of a line give no pixels
    ASSERT_EQ(picture.colours(), 16);
    EXPECT_EQ(picture.palette[15], builderColour(15));
    EXPECT_EQ(rows(picture), (std::vector<Bytes>{Bytes(10, 15), {4, 4, 0, 0, 0, 0, 0, 0, 4, 4}}));
}

struct HostileCase {
    const char* name;
    PcxBuilder builder;
    PcxFault fault;
};

PcxBuilder with(std::function<void(PcxBuilder&)> change, PcxBuilder b = {}) {
    change(b);
    return b;
}

TEST(Pcx, RefusesPicturesItCannotOrMustNotDecode) {
    const HostileCase cases[] = {
        {"not PCX", with([](auto& b) { b.manufacturer = 11; }), PcxFault::NotPcx},
        {"24 bits", with([](auto& b) { b.planes = 3; }), PcxFault::UnsupportedFormat},
        {"packed 4 bits", with([](auto& b) { b.bitsPerPixel = 4; }), PcxFault::UnsupportedFormat},
        {"x maximum below minimum", with([](auto& b) {
             b.xMin = 5;
             b.xMax = 4;
         }),
         PcxFault::EmptyWindow},
        {"y maximum below minimum", with([](auto& b) {
             b.yMin = 1;
             b.yMax = 0;
         }),
         PcxFault::EmptyWindow},
        {"line shorter than width", with([](auto& b) { b.bytesPerLine = 1; }),
         PcxFault::LineTooShort},
        {"no bytes per line", with([](auto& b) { b.bytesPerLine = 0; }), PcxFault::LineTooShort},
        {"16-colour line too short", PcxBuilder::colours16(9, 1, 1), PcxFault::LineTooShort},
        {"too wide", with([](auto& b) {
             b.xMax = 4096;
             b.bytesPerLine = 4098;
         }),
         PcxFault::TooLarge},
        {"too high", with([](auto& b) { b.yMax = 65535; }), PcxFault::TooLarge},
        {"huge line", with([](auto& b) { b.bytesPerLine = 65535; }), PcxFault::TooLarge},
        {"huge 16-colour line", PcxBuilder::colours16(8, 8, 4000), PcxFault::TooLarge},
        {"no palette marker", with([](auto& b) {
             b.palette = false;
             b.data.assign(900, 1);
         }),
         PcxFault::MissingPalette},
        {"too short for a palette", with([](auto& b) { b.palette = false; }),
         PcxFault::MissingPalette},
    };
    for (const auto& c : cases) {
        PcxPicture picture;
        ASSERT_EQ(PcxBuilder{}.decode(picture), PcxFault::None);  // nothing of it may stay
        EXPECT_EQ(c.builder.decode(picture), c.fault) << c.name;
        EXPECT_TRUE(picture.pixels.empty()) << c.name;
        EXPECT_TRUE(picture.palette.empty()) << c.name;
        EXPECT_EQ(picture.width, 0) << c.name;
    }
}

TEST(Pcx, RefusesAFileShorterThanItsHeader) {
    PcxPicture picture;
    EXPECT_EQ(decodePcx(PcxBuilder{}.bytes().substr(0, 127), picture), PcxFault::NotPcx);
    EXPECT_EQ(decodePcx({}, picture), PcxFault::NotPcx);
}

TEST(Pcx, LargestPictureIsAccepted) {
    PcxBuilder b;
    b.xMax = kMaxPcxSide - 1;
    b.yMax = kMaxPcxSide - 1;
    b.bytesPerLine = kMaxPcxSide;
    PcxPicture picture;
    ASSERT_EQ(b.decode(picture), PcxFault::None);
    EXPECT_EQ(picture.pixels.size(), std::size_t(kMaxPcxSide) * kMaxPcxSide);
}

// Pictures made by netpbm decode to the pixels netpbm decodes them to.
TEST(Pcx, DecodesWhatNetpbmWrote) {
    for (const std::string name : {"odd256", "odd16"}) {
        PcxPicture picture;
        ASSERT_EQ(readPcxFile(fixture(name + ".pcx"), picture), PcxFault::None) << name;
        EXPECT_EQ(encodePpm(picture), readBytes(fixture(name + ".ppm"))) << name;
    }
    PcxPicture picture;
    EXPECT_EQ(readPcxFile(fixture("truecolor24.pcx"), picture), PcxFault::UnsupportedFormat);
}

TEST(Pcx, MissingFileCannotBeOpened) {
    test::TempDir dir;
    PcxPicture picture;
    try {
        readPcxFile(dir / "none.pcx", picture);
        FAIL() << "no exception";
    } catch (const WynError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file " + (dir / "none.pcx"));
    }
    EXPECT_THROW(readPcxFile(dir.str(), picture), WynError);
}

}  // namespace
}  // namespace wyn
