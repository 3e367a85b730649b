#include "bots/pcx.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "base/errors.h"
#include "base/file_system.h"

namespace wyn {

namespace {

constexpr std::uint8_t kManufacturer = 10;
constexpr std::uint8_t kPaletteMarker = 12;
constexpr std::size_t kPaletteBytes = 768;
constexpr std::size_t kBlockSize = 1024;
constexpr std::uint8_t kRunFlag = 192;

std::uint16_t word(const std::uint8_t* bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

std::size_t roundUpTo4(std::size_t n) {
    return (n + 3) & ~std::size_t{3};
}

// The compressed data from begin to end, read a block at a time; the block
// position carries over from row to row.
class BlockReader {
public:
    BlockReader(PcxSource& source, std::uint64_t begin, std::uint64_t end)
        : m_source(source), m_next(begin), m_end(end) {}

    bool next(std::uint8_t& byte) {
        if (m_position == m_filled && !refill()) {
            return false;
        }
        byte = m_block[m_position++];
        return true;
    }

private:
    bool refill() {
        if (m_next >= m_end) {
            return false;
        }
        const auto wanted =
            static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSize, m_end - m_next));
        m_filled = m_source.readAt(m_next, m_block.data(), wanted);
        m_position = 0;
        m_next = m_filled == 0 ? m_end : m_next + m_filled;
        return m_filled > 0;
    }

    PcxSource& m_source;
    std::array<std::uint8_t, kBlockSize> m_block{};
    std::size_t m_position = 0;
    std::size_t m_filled = 0;
    std::uint64_t m_next;
    std::uint64_t m_end;
};

// The run-length rule: a byte below 192 is itself; otherwise its low six bits
// count how often the next byte repeats. A run past the row's end is cut off
// there. False when the data ends before the row is full.
bool decodeRow(BlockReader& in, std::uint8_t* row, std::size_t count) {
    std::size_t emitted = 0;
    while (emitted < count) {
        std::uint8_t byte = 0;
        if (!in.next(byte)) {
            return false;
        }
        if (byte < kRunFlag) {
            row[emitted++] = byte;
            continue;
        }
        std::uint8_t value = 0;
        if (!in.next(value)) {
            return false;
        }
        const std::size_t run = std::min<std::size_t>(byte - kRunFlag, count - emitted);
        std::memset(row + emitted, value, run);
        emitted += run;
    }
    return true;
}

// Converts the run-length data into rows of palette indexes. The two variants
// differ in the palette, the row layout and how a decoded row is stored.
class TDecoder {
public:
    explicit TDecoder(const PcxHeader& header)
        : m_width(header.xMax - header.xMin + 1),
          m_height(header.yMax - header.yMin + 1),
          m_bytesPerLine(header.bytesPerLine) {}
    virtual ~TDecoder() = default;

    virtual int bitsPerPixel() const = 0;
    // Bytes of one output row, a multiple of 4.
    virtual std::size_t stride() const = 0;
    // Bytes of run-length data one row decodes to.
    virtual std::size_t bytesPerRow() const = 0;
    // Where the run-length data ends.
    virtual std::uint64_t dataEnd(std::uint64_t fileSize) const = 0;
    virtual bool readPalette(PcxSource& source, std::vector<PcxColour>& palette) const = 0;
    virtual void storeRow(const std::uint8_t* decoded, std::uint8_t* out) const = 0;

    PcxFault convert(PcxSource& source, PcxPicture& picture) const {
        std::vector<PcxColour> palette;
        if (!readPalette(source, palette)) {
            return PcxFault::MissingPalette;
        }
        picture.width = m_width;
        picture.height = m_height;
        picture.bitsPerPixel = bitsPerPixel();
        picture.stride = stride();
        picture.palette = std::move(palette);
        picture.pixels.assign(stride() * static_cast<std::size_t>(m_height), 0);

        BlockReader in(source, kPcxHeaderSize, dataEnd(source.size()));
        // Room for a whole stride, so the padding of a short line is stored as 0.
        std::vector<std::uint8_t> row(std::max(bytesPerRow(), stride()), 0);
        for (int y = 0; y < m_height; ++y) {
            std::fill(row.begin(), row.end(), 0);
            const bool complete = decodeRow(in, row.data(), bytesPerRow());
            storeRow(row.data(), picture.pixels.data() + stride() * static_cast<std::size_t>(y));
            if (!complete) {
                break;  // the rest stays 0
            }
        }
        return PcxFault::None;
    }

protected:
    int m_width;
    int m_height;
    std::size_t m_bytesPerLine;
};

class TDecoder256 : public TDecoder {
public:
    using TDecoder::TDecoder;

    int bitsPerPixel() const override { return 8; }
    std::size_t stride() const override { return roundUpTo4(m_bytesPerLine); }
    std::size_t bytesPerRow() const override { return m_bytesPerLine; }

    std::uint64_t dataEnd(std::uint64_t fileSize) const override {
        // The palette follows the pixel data; it is never read as pixels.
        return fileSize - kPaletteBytes - 1;
    }

    bool readPalette(PcxSource& source, std::vector<PcxColour>& palette) const override {
        const std::uint64_t size = source.size();
        if (size < kPcxHeaderSize + kPaletteBytes + 1) {
            return false;
        }
        std::array<std::uint8_t, kPaletteBytes + 1> bytes{};
        if (source.readAt(size - bytes.size(), bytes.data(), bytes.size()) != bytes.size() ||
            bytes[0] != kPaletteMarker) {
            return false;
        }
        palette.resize(256);
        for (std::size_t i = 0; i < palette.size(); ++i) {
            palette[i] = {bytes[1 + 3 * i], bytes[2 + 3 * i], bytes[3 + 3 * i]};
        }
        return true;
    }

    void storeRow(const std::uint8_t* decoded, std::uint8_t* out) const override {
        std::memcpy(out, decoded, stride());
    }
};

class TDecoder16 : public TDecoder {
public:
    explicit TDecoder16(const PcxHeader& header)
        : TDecoder(header), m_headerPalette(header.palette) {}

    int bitsPerPixel() const override { return 4; }
    // Eight pixels per plane byte, two per output byte: four output bytes per
    // byte position, a multiple of 4 already.
    std::size_t stride() const override { return m_bytesPerLine * 4; }
    std::size_t bytesPerRow() const override { return m_bytesPerLine * 4; }
    std::uint64_t dataEnd(std::uint64_t fileSize) const override { return fileSize; }

    bool readPalette(PcxSource&, std::vector<PcxColour>& palette) const override {
        palette.assign(m_headerPalette.begin(), m_headerPalette.end());
        return true;
    }

    // The decoded row holds plane 0 to plane 3 one after another. Plane k gives
    // bit k of each pixel; pixels go two to a byte, the left one high.
    void storeRow(const std::uint8_t* decoded, std::uint8_t* out) const override {
        const std::uint8_t* plane[4] = {decoded, decoded + m_bytesPerLine,
                                        decoded + 2 * m_bytesPerLine, decoded + 3 * m_bytesPerLine};
        for (std::size_t j = 0; j < m_bytesPerLine; ++j) {
            for (int shift = 6; shift >= 0; shift -= 2) {
                *out++ = static_cast<std::uint8_t>(pixel(plane, j, shift + 1) << 4 |
                                                   pixel(plane, j, shift));
            }
        }
    }

private:
    static int pixel(const std::uint8_t* const* plane, std::size_t j, int bit) {
        int value = 0;
        for (int k = 0; k < 4; ++k) {
            value |= ((plane[k][j] >> bit) & 1) << k;
        }
        return value;
    }

    std::array<PcxColour, 16> m_headerPalette;
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

std::unique_ptr<TDecoder> makeDecoder(const PcxHeader& header, PcxKind kind) {
    if (kind == PcxKind::Colours256) {
        return std::make_unique<TDecoder256>(header);
    }
    return std::make_unique<TDecoder16>(header);
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

std::uint8_t PcxPicture::pixelAt(int x, int y) const {
    const std::uint8_t* line = row(y);
    if (bitsPerPixel == 8) {
        return line[x];
    }
    const std::uint8_t pair = line[x / 2];
    return x % 2 == 0 ? pair >> 4 : pair & 0x0F;
}

std::size_t PcxMemorySource::readAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t count) {
    if (offset >= m_size) {
        return 0;
    }
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(count, m_size - offset));
    std::memcpy(buffer, m_data + offset, n);
    return n;
}

PcxFileSource::PcxFileSource(const std::string& path) : m_in(path, std::ios::binary) {
    if (!fileExists(path) || !m_in) {
        return;
    }
    m_in.seekg(0, std::ios::end);
    const std::streamoff size = m_in.tellg();
    if (size < 0) {
        return;
    }
    m_size = static_cast<std::uint64_t>(size);
    m_open = true;
}

std::size_t PcxFileSource::readAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t count) {
    if (!m_open || offset >= m_size) {
        return 0;
    }
    m_in.clear();
    m_in.seekg(static_cast<std::streamoff>(offset));
    m_in.read(reinterpret_cast<char*>(buffer), static_cast<std::streamsize>(count));
    return static_cast<std::size_t>(std::max<std::streamsize>(m_in.gcount(), 0));
}

PcxFault decodePcx(PcxSource& source, PcxPicture& picture) {
    picture = PcxPicture{};
    std::array<std::uint8_t, kPcxHeaderSize> bytes{};
    if (source.readAt(0, bytes.data(), bytes.size()) != bytes.size()) {
        return PcxFault::NotPcx;
    }
    const PcxHeader header = parsePcxHeader(bytes.data());
    const PcxKind kind = pcxKind(header);
    if (const PcxFault fault = checkHeader(header, kind); fault != PcxFault::None) {
        return fault;
    }
    const PcxFault fault = makeDecoder(header, kind)->convert(source, picture);
    if (fault != PcxFault::None) {
        picture = PcxPicture{};
    }
    return fault;
}

PcxFault readPcxFile(const std::string& path, PcxPicture& picture) {
    PcxFileSource source(path);
    if (!source.isOpen()) {
        throwCannotOpenFile(path);
    }
    return decodePcx(source, picture);
}

std::string invalidPictureText(const std::string& path) {
    return "Invalid PCX picture " + path;
}

std::string encodePpm(const PcxPicture& picture) {
    std::string bytes =
        "P6\n" + std::to_string(picture.width) + " " + std::to_string(picture.height) + "\n255\n";
    const std::size_t headerSize = bytes.size();
    bytes.resize(headerSize + 3 * static_cast<std::size_t>(picture.width) * picture.height);
    char* out = bytes.data() + headerSize;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const PcxColour colour = picture.colourAt(x, y);
            *out++ = static_cast<char>(colour.red);
            *out++ = static_cast<char>(colour.green);
            *out++ = static_cast<char>(colour.blue);
        }
    }
    return bytes;
}

}  // namespace wyn
