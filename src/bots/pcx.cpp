#include "bots/pcx.h"

#include <algorithm>

namespace wyn {

namespace {

constexpr std::uint8_t kManufacturer = 10;
constexpr std::uint8_t kPaletteMarker = 12;
constexpr std::size_t kPaletteBytes = 768;
constexpr std::uint8_t kRunFlag = 192;

std::uint16_t word(const std::uint8_t* bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

// The run-length data between the header and the end of the pixel data.
struct RunLengthData {
    const std::uint8_t* at;
    const std::uint8_t* end;

    // Fills a line by the run-length rule: a byte below 192 is itself;
    // otherwise the next byte repeats byte - 192 times. A run past the line's
    // end is cut off there; its surplus is not carried to the next line. False
    // when the data ends first; the rest of the line is then 0.
    bool decodeLine(std::vector<std::uint8_t>& line) {
        std::size_t filled = 0;
        while (filled < line.size()) {
            if (at == end || (*at >= kRunFlag && end - at < 2)) {
                std::fill(line.begin() + static_cast<std::ptrdiff_t>(filled), line.end(), 0);
                return false;
            }
            const std::uint8_t byte = *at++;
            if (byte < kRunFlag) {
                line[filled++] = byte;
                continue;
            }
            const std::size_t run = std::min<std::size_t>(byte - kRunFlag, line.size() - filled);
            std::fill_n(line.begin() + static_cast<std::ptrdiff_t>(filled), run, *at++);
            filled += run;
        }
        return true;
    }
};

// The header's promises checked before anything is reserved.
PcxFault checkHeader(const PcxHeader& header, PcxKind kind) {
    if (header.manufacturer != kManufacturer) {
        return PcxFault::NotPcx;
    }
    if (kind == PcxKind::Unsupported) {
        return PcxFault::UnsupportedFormat;
    }
    if (header.xMax < header.xMin || header.yMax < header.yMin) {
        return PcxFault::EmptyWindow;
    }
    const int width = header.xMax - header.xMin + 1;
    const int height = header.yMax - header.yMin + 1;
    const long pixelsPerLine =
        kind == PcxKind::Colours256 ? header.bytesPerLine : header.bytesPerLine * 8L;
    if (width > kMaxPcxSide || height > kMaxPcxSide || pixelsPerLine > kMaxPcxSide) {
        return PcxFault::TooLarge;
    }
    if (pixelsPerLine < width) {
        return PcxFault::LineTooShort;
    }
    return PcxFault::None;
}

}  // namespace

PcxHeader parsePcxHeader(const std::uint8_t* bytes) {
    PcxHeader header;
    header.manufacturer = bytes[0];
    header.bitsPerPixel = bytes[3];
    header.xMin = word(bytes, 4);
    header.yMin = word(bytes, 6);
    header.xMax = word(bytes, 8);
    header.yMax = word(bytes, 10);
    for (std::size_t i = 0; i < header.palette.size(); ++i) {
        header.palette[i] = {bytes[16 + 3 * i], bytes[17 + 3 * i], bytes[18 + 3 * i]};
    }
    header.planes = bytes[65];
    header.bytesPerLine = word(bytes, 66);
    return header;
}

PcxKind pcxKind(const PcxHeader& header) {
    if (header.manufacturer != kManufacturer) {
        return PcxKind::Unsupported;
    }
    if (header.bitsPerPixel == 8 && header.planes == 1) {
        return PcxKind::Colours256;
    }
    if (header.bitsPerPixel == 1 && header.planes == 4) {
        return PcxKind::Colours16;
    }
    return PcxKind::Unsupported;
}

PcxFault decodePcx(std::string_view file, PcxPicture& picture) {
    picture = PcxPicture{};
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(file.data());
    const std::size_t size = file.size();
    if (size < kPcxHeaderSize) {
        return PcxFault::NotPcx;
    }
    const PcxHeader header = parsePcxHeader(bytes);
    const PcxKind kind = pcxKind(header);
    if (const PcxFault fault = checkHeader(header, kind); fault != PcxFault::None) {
        return fault;
    }
    const std::size_t bytesPerLine = header.bytesPerLine;
    RunLengthData data{bytes + kPcxHeaderSize, bytes + size};
    std::vector<PcxColour> palette(header.palette.begin(), header.palette.end());
    if (kind == PcxKind::Colours256) {
        // The palette follows the pixel data; it is never read as pixels.
        if (size < kPcxHeaderSize + kPaletteBytes + 1 ||
            bytes[size - kPaletteBytes - 1] != kPaletteMarker) {
            return PcxFault::MissingPalette;
        }
        data.end = bytes + size - kPaletteBytes - 1;
        palette.resize(256);
        for (std::size_t i = 0; i < palette.size(); ++i) {
            const std::uint8_t* rgb = data.end + 1 + 3 * i;
            palette[i] = {rgb[0], rgb[1], rgb[2]};
        }
    }

    picture.width = header.xMax - header.xMin + 1;
    picture.height = header.yMax - header.yMin + 1;
    picture.palette = std::move(palette);
    const auto width = static_cast<std::size_t>(picture.width);
    picture.pixels.assign(width * static_cast<std::size_t>(picture.height), 0);
    // With 16 colours a line holds the four planes one after another; plane k
    // gives bit k of each pixel, the leftmost pixel in a byte's high bit.
    std::vector<std::uint8_t> line(kind == PcxKind::Colours256 ? bytesPerLine : 4 * bytesPerLine);
    for (int y = 0; y < picture.height; ++y) {
        const bool complete = data.decodeLine(line);
        std::uint8_t* out = picture.pixels.data() + width * static_cast<std::size_t>(y);
        if (kind == PcxKind::Colours256) {
            std::copy_n(line.begin(), width, out);
        } else {
            for (std::size_t x = 0; x < width; ++x) {
                const int bit = 7 - static_cast<int>(x % 8);
                for (std::size_t k = 0; k < 4; ++k) {
                    out[x] |= static_cast<std::uint8_t>(
                        ((line[k * bytesPerLine + x / 8] >> bit) & 1) << k);
                }
            }
        }
        if (!complete) {
            break;  // the rest stays 0
        }
    }
    return PcxFault::None;
}

PcxFault readPcxFile(const std::string& path, PcxPicture& picture) {
    return decodePcx(readFileBytes(path), picture);
}

std::string invalidPictureText(const std::string& path) {
    return "Invalid PCX picture " + path;
}

std::string encodePpm(const PcxPicture& picture) {
    std::string bytes =
        "P6\n" + std::to_string(picture.width) + " " + std::to_string(picture.height) + "\n255\n";
    bytes.reserve(bytes.size() + 3 * picture.pixels.size());
    for (const std::uint8_t index : picture.pixels) {
        const PcxColour colour = picture.palette[index];
        bytes += static_cast<char>(colour.red);
        bytes += static_cast<char>(colour.green);
        bytes += static_cast<char>(colour.blue);
    }
    return bytes;
}

}  // namespace wyn
