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
    std::size_t stride = 0;
    std::vector<PcxColour> palette;
    std::vector<std::uint8_t> pixels;
};

// Byte by byte over the whole buffer, one row buffer per row.
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
        out.stride = (bytesPerLine + 3) / 4 * 4;
    } else {
        out.palette.assign(header.palette.begin(), header.palette.end());
        rowBytes = 4 * bytesPerLine;
        out.stride = 4 * bytesPerLine;
    }
    out.pixels.assign(out.stride * static_cast<std::size_t>(out.height), 0);
    std::size_t at = kPcxHeaderSize;
    for (int y = 0; y < out.height; ++y) {
        std::vector<std::uint8_t> row(std::max(rowBytes, out.stride), 0);
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
        std::uint8_t* target = out.pixels.data() + out.stride * static_cast<std::size_t>(y);
        if (kind == PcxKind::Colours256) {
            std::copy(row.begin(), row.begin() + static_cast<std::ptrdiff_t>(out.stride), target);
        } else {
            for (std::size_t x = 0; x < 8 * bytesPerLine; ++x) {
                int value = 0;
                for (std::size_t plane = 0; plane < 4; ++plane) {
                    const int bit = (row[plane * bytesPerLine + x / 8] >> (7 - x % 8)) & 1;
                    value |= bit << plane;
                }
                target[x / 2] |= static_cast<std::uint8_t>(x % 2 == 0 ? value << 4 : value);
            }
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
    PcxMemorySource source(data, size);
    PcxPicture picture;
    const PcxFault fault = decodePcx(source, picture);
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
    FUZZ_CHECK(picture.stride % 4 == 0);
    FUZZ_CHECK(picture.stride * 8 / static_cast<std::size_t>(picture.bitsPerPixel) >=
               static_cast<std::size_t>(picture.width));
    FUZZ_CHECK(picture.pixels.size() == picture.stride * static_cast<std::size_t>(picture.height));

    Reference reference;
    FUZZ_CHECK(decodeReference(data, size, header, kind, reference));
    FUZZ_CHECK(picture.width == reference.width && picture.height == reference.height);
    FUZZ_CHECK(picture.stride == reference.stride);
    FUZZ_CHECK(picture.palette == reference.palette);
    FUZZ_CHECK(picture.pixels == reference.pixels);

    // Every pixel reaches the palette.
    const std::string ppm = encodePpm(picture);
    FUZZ_CHECK(ppm.size() >= 3u * static_cast<std::size_t>(picture.width) * picture.height);
    return 0;
}
