#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_file.h"

namespace wyn {

// The PCX reader for skin icons. Two variants are read: 8 bits per pixel in one
// plane with a 256-colour palette at the end of the file, and 1 bit per pixel in
// four planes with the 16-colour palette of the header. Pixel data is always
// taken as run-length encoded.

inline constexpr std::size_t kPcxHeaderSize = 128;

// Longest side (and longest line) accepted. Skins are a few hundred pixels; the
// bound keeps a damaged header from asking for gigabytes.
inline constexpr int kMaxPcxSide = 4096;

// Pictures are read whole, bounded like every other file. The largest picture
// fits even when every pixel takes two bytes of run-length data.
inline constexpr std::size_t kMaxPcxFileSize = kMaxTextFileSize;
static_assert(kMaxPcxFileSize >= kPcxHeaderSize + 2u * kMaxPcxSide * kMaxPcxSide + 769);

struct PcxColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const PcxColour&) const = default;
};

// The header fields the reader uses.
struct PcxHeader {
    std::uint8_t manufacturer = 0;  // 10 in every PCX file
    std::uint8_t bitsPerPixel = 0;  // per plane
    std::uint8_t planes = 0;
    std::uint16_t xMin = 0;
    std::uint16_t yMin = 0;
    std::uint16_t xMax = 0;
    std::uint16_t yMax = 0;
    std::uint16_t bytesPerLine = 0;  // per plane
    std::array<PcxColour, 16> palette{};
};

// The fields of the first kPcxHeaderSize bytes of a file.
PcxHeader parsePcxHeader(const std::uint8_t* bytes);

enum class PcxKind { Unsupported, Colours256, Colours16 };

// Which decoder reads the picture: a first byte of 10 and 8 bits in 1 plane or
// 1 bit in 4 planes; anything else is not read.
PcxKind pcxKind(const PcxHeader& header);

// Why a picture was refused.
enum class PcxFault {
    None,
    NotPcx,             // shorter than the header, or the first byte is not 10
    UnsupportedFormat,  // neither 256 nor 16 colours (24-bit pictures, packed pixels...)
    EmptyWindow,        // x or y maximum below its minimum
    LineTooShort,       // bytes per line cannot hold the width
    TooLarge,           // a side or a line longer than kMaxPcxSide
    MissingPalette,     // a 256-colour picture without the palette marker 12
};

// A decoded picture: one palette index per pixel, row after row, top row
// first, for both variants (what Qt's indexed images take).
struct PcxPicture {
    int width = 0;
    int height = 0;
    std::vector<PcxColour> palette;  // 256 or 16 entries
    std::vector<std::uint8_t> pixels;

    int colours() const { return static_cast<int>(palette.size()); }
    const std::uint8_t* row(int y) const {
        return pixels.data() + static_cast<std::size_t>(width) * static_cast<std::size_t>(y);
    }
    std::uint8_t pixelAt(int x, int y) const { return row(y)[x]; }
    PcxColour colourAt(int x, int y) const { return palette[pixelAt(x, y)]; }
};

// Decodes the bytes of a picture file. On a fault the picture is left empty.
// Data that ends before the last row leaves the missing pixels 0.
PcxFault decodePcx(std::string_view file, PcxPicture& picture);

// Decodes a file; throws "Cannot open file PATH" when it is no readable file
// or larger than kMaxPcxFileSize.
PcxFault readPcxFile(const std::string& path, PcxPicture& picture);

// "Invalid PCX picture PATH", the message for a refused picture.
std::string invalidPictureText(const std::string& path);

// The picture as a binary PPM ("P6"), as netpbm writes it.
std::string encodePpm(const PcxPicture& picture);

}  // namespace wyn
