// Any bytes as a PCX picture: no crash, a refused picture stays empty, and an
// accepted one matches a plain reference decoder written from the format's rules.
#include <algorithm>
#include <vector>

#include "bots/pcx.h"
#include "fuzz_check.h"

namespace wyn {
namespace {

struct Reference {
    int width = 0;
    int height = 0;
    std::vector<PcxColour> palette;
    std::vector<std::uint8_t> pixels;
};

// Byte by byte over the whole buffer, one row buffer per row, one pixel at a time.
bool decodeReference(const std::uint8_t* data, std::size_t size, const PcxHeader& header,
                     PcxKind kind, Reference& out) {
    const std::size_t bytesPerLine = header.bytesPerLine;
    out.width = header.xMax - header.xMin + 1;
    out.height = header.yMax - header.yMin + 1;
    std::size_t dataEnd = size;
    std::size_t rowBytes = 0;
    if (kind == PcxKind::Colours256) {
        if (size < kPcxHeaderSize + 769 || data[size - 769] != 12) {
            return false;
        }
        for (std::size_t i = 0; i < 256; ++i) {
            const std::uint8_t* rgb = data + size - 768 + 3 * i;
            out.palette.push_back({rgb[0], rgb[1], rgb[2]});
        }
        dataEnd = size - 769;
        rowBytes = bytesPerLine;
    } else {
        out.palette.assign(header.palette.begin(), header.palette.end());
        rowBytes = 4 * bytesPerLine;
    }
    const auto width = static_cast<std::size_t>(out.width);
    out.pixels.assign(width * static_cast<std::size_t>(out.height), 0);
    std::size_t at = kPcxHeaderSize;
    for (int y = 0; y < out.height; ++y) {
        std::vector<std::uint8_t> row(rowBytes, 0);
        std::size_t filled = 0;
        bool complete = true;
        while (filled < rowBytes) {
            if (at >= dataEnd) {
                complete = false;
                break;
            }
            const std::uint8_t byte = data[at++];
            if (byte < 192) {
                row[filled++] = byte;
                continue;
            }
            if (at >= dataEnd) {
                complete = false;
                break;
            }
            const std::uint8_t value = data[at++];
            for (int n = byte - 192; n > 0 && filled < rowBytes; --n) {
                row[filled++] = value;
            }
        }
        for (std::size_t x = 0; x < width; ++x) {
            int value = 0;
            if (kind == PcxKind::Colours256) {
                value = row[x];
            } else {
                for (std::size_t plane = 0; plane < 4; ++plane) {
                    const int bit = (row[plane * bytesPerLine + x / 8] >> (7 - x % 8)) & 1;
                    value |= bit << plane;
                }
            }
            out.pixels[width * static_cast<std::size_t>(y) + x] = static_cast<std::uint8_t>(value);
        }
        if (!complete) {
            break;
        }
    }
    return true;
}

}  // namespace
}  // namespace wyn

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace wyn;
    PcxPicture picture;
    const PcxFault fault = decodePcx(fuzz::asText(data, size), picture);
    if (fault != PcxFault::None) {
        FUZZ_CHECK(picture.width == 0 && picture.height == 0 && picture.pixels.empty());
        FUZZ_CHECK(picture.palette.empty());
        if (fault == PcxFault::MissingPalette) {
            const PcxHeader header = parsePcxHeader(data);
            Reference reference;
            FUZZ_CHECK(!decodeReference(data, size, header, pcxKind(header), reference));
        }
        return 0;
    }
    FUZZ_CHECK(size >= kPcxHeaderSize);
    const PcxHeader header = parsePcxHeader(data);
    const PcxKind kind = pcxKind(header);
    FUZZ_CHECK(kind != PcxKind::Unsupported);
    FUZZ_CHECK(picture.width >= 1 && picture.width <= kMaxPcxSide);
    FUZZ_CHECK(picture.height >= 1 && picture.height <= kMaxPcxSide);
    FUZZ_CHECK(picture.pixels.size() ==
               static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height));

    Reference reference;
    FUZZ_CHECK(decodeReference(data, size, header, kind, reference));
    FUZZ_CHECK(picture.width == reference.width && picture.height == reference.height);
    FUZZ_CHECK(picture.palette == reference.palette);
    FUZZ_CHECK(picture.pixels == reference.pixels);

    // Every pixel reaches the palette.
    FUZZ_CHECK(std::all_of(picture.pixels.begin(), picture.pixels.end(),
                           [&](std::uint8_t index) { return index < picture.palette.size(); }));
    const std::string ppm = encodePpm(picture);
    FUZZ_CHECK(ppm.size() >= 3u * static_cast<std::size_t>(picture.width) * picture.height);
    return 0;
}
