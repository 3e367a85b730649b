#include "bots/pcx.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
// Decoding 64 bytes at a time needs AVX-512 with byte permutes, chosen at run
// time; WYN_PCX_NARROW leaves it out (the fuzzer checks both ways).
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__)) && !defined(WYN_PCX_NARROW)
#define WYN_PCX_WIDE 1
#if defined(__clang__)
#include <immintrin.h>
#else
// GCC takes the undefined pass-through lanes of these intrinsics for
// uninitialised variables.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <immintrin.h>
#pragma GCC diagnostic pop
#endif
#endif

#include "base/errors.h"
#include "base/file_system.h"

namespace wyn {

namespace {

constexpr std::uint8_t kManufacturer = 10;
constexpr std::uint8_t kPaletteMarker = 12;
constexpr std::size_t kPaletteBytes = 768;
// Compressed data is read in blocks of this size.
constexpr std::size_t kBlockSize = 16384;
constexpr std::uint8_t kRunFlag = 192;

std::uint16_t word(const std::uint8_t* bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

std::size_t roundUpTo4(std::size_t n) {
    return (n + 3) & ~std::size_t{3};
}

constexpr std::size_t kWordBytes = 64;
constexpr std::size_t kBlockWords = kBlockSize / kWordBytes;
// Bytes after a row that its decoding may write over.
constexpr std::size_t kScratch = 64;

#if WYN_PCX_WIDE
using LaneBytes = std::array<std::uint8_t, kWordBytes>;

// Index tables of the wide decoding, one byte per lane.
struct WideTables {
    alignas(64) LaneBytes lanes;                 // the lane itself
    alignas(64) LaneBytes back1;                 // the lane before
    alignas(64) LaneBytes back8;                 // 8 lanes back, or a lane of the first group
    alignas(64) LaneBytes back16;                // 16 lanes back, or a lane of the first group
    alignas(64) LaneBytes back32;                // 32 lanes back, or a lane of the first group
    alignas(64) LaneBytes groupBefore;           // the last lane of the group of eight before
    alignas(64) std::array<LaneBytes, 6> steps;  // 32, 16, ... 1 in every lane
};

constexpr WideTables makeWideTables() {
    WideTables t{};
    const auto back = [](std::size_t lane, std::size_t step) {
        return static_cast<std::uint8_t>(lane >= step ? lane - step : lane % 8);
    };
    for (std::size_t lane = 0; lane < kWordBytes; ++lane) {
        t.lanes[lane] = static_cast<std::uint8_t>(lane);
        t.back1[lane] = static_cast<std::uint8_t>((lane + kWordBytes - 1) % kWordBytes);
        t.back8[lane] = back(lane, 8);
        t.back16[lane] = back(lane, 16);
        t.back32[lane] = back(lane, 32);
        t.groupBefore[lane] = static_cast<std::uint8_t>((lane | 7) - 8);  // first group: masked
        for (std::size_t k = 0; k < t.steps.size(); ++k) {
            t.steps[k][lane] = static_cast<std::uint8_t>(32 >> k);
        }
    }
    return t;
}

constexpr WideTables kWideTables = makeWideTables();
#endif

void store8(std::uint8_t* at, std::uint64_t word) {
    std::memcpy(at, &word, sizeof word);
}

// Bit i is set when byte i of the 64 has both high bits set: a count byte, or
// a value byte that looks like one.
std::uint64_t highBytes(const std::uint8_t* bytes) {
    std::uint64_t bits = 0;
#if defined(__SSE2__)
    const __m128i flag = _mm_set1_epi8(static_cast<char>(kRunFlag));
    for (std::size_t k = 0; k < kWordBytes / 16; ++k) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * k));
        const auto high = static_cast<std::uint16_t>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(chunk, flag), flag)));
        bits |= std::uint64_t{high} << (16 * k);
    }
#else
    for (std::size_t i = 0; i < kWordBytes; ++i) {
        bits |= std::uint64_t{(bytes[i] & kRunFlag) == kRunFlag} << i;
    }
#endif
    return bits;
}

// Which of the high bytes are count bytes, when the byte before bit 0 is no
// count. In a stretch of high bytes the first is a count, the next its value,
// and so on.
std::uint64_t countBytes(std::uint64_t high) {
    constexpr std::uint64_t even = 0x5555555555555555u;
    const std::uint64_t starts = high & ~(high << 1);
    // Adding a stretch's lowest bit clears the stretch: what stays starts odd.
    const std::uint64_t oddStretches = (high + (starts & even)) & high;
    const std::uint64_t evenStretches = high & ~oddStretches;
    return (evenStretches & even) | (oddStretches & ~even);
}

// The compressed data from begin to end, read a block at a time; the block
// position carries over from row to row. Three ways through a block, all with
// the same result: exact steps a token at a time (near a row's end, across
// blocks); from one count byte to the next with word stores; and, where the
// processor has AVX-512 byte permutes, 64 bytes at a time. On reading a block
// it marks where its count bytes are, which the two faster ways need.
class BlockReader {
public:
    BlockReader(PcxSource& source, std::uint64_t begin, std::uint64_t end)
        : m_source(source), m_next(begin), m_end(end) {}

    // The run-length rule: a byte below 192 is itself; otherwise its low six
    // bits count how often the next byte repeats. A run past the row's end is
    // cut off there. False when the data ends before the row is full; the rest
    // of the row is then 0. With scratch, the kScratch bytes after the row may
    // be written over (the caller cleans them up).
    bool decodeRow(std::uint8_t* row, std::size_t count, bool scratch) {
        std::uint8_t* out = row;
        std::uint8_t* const rowEnd = row + count;
        std::uint8_t* const storeEnd = scratch ? rowEnd + kScratch : rowEnd;
        while (out < rowEnd) {
            out = decodeWithinBlock(out, rowEnd, storeEnd);
            if (out == rowEnd) {
                break;
            }
            // One exact step: near the end of the row, or into the next block.
            std::uint8_t byte = 0;
            std::uint8_t value = 0;
            if (!next(byte) || (byte >= kRunFlag && !next(value))) {
                std::fill(out, rowEnd, std::uint8_t{0});
                return false;
            }
            if (byte < kRunFlag) {
                *out++ = byte;
                continue;
            }
            const auto run = std::min<std::size_t>(byte - kRunFlag, rowEnd - out);
            std::memset(out, value, run);
            out += run;
        }
        return true;
    }

private:
    bool next(std::uint8_t& byte) {
        if (m_position == m_filled && !refill()) {
            return false;
        }
        byte = m_block[m_position++];
        return true;
    }

    // The bulk of a row: from one count byte to the next within the block,
    // copying the literals before it and storing its run. Up to 16 literals
    // and a run of up to 8 are stored as whole words, which may reach 24 bytes
    // past out but never past storeEnd; later bytes overwrite what lies past
    // the decoded part. A run whose value is in the next block is left to the
    // exact steps.
    std::uint8_t* decodeWithinBlock(std::uint8_t* out, std::uint8_t* const rowEnd,
                                    std::uint8_t* const storeEnd) {
#if WYN_PCX_WIDE
        if (wideDecoding()) {
            return decodeWide(out, rowEnd, storeEnd);
        }
#endif
        if (m_position >= m_literalEnd || storeEnd - out < 64) {
            return out;
        }
        // Where the loop stops: the row's end, or earlier when the stores
        // would pass storeEnd.
        std::uint8_t* const loopEnd = std::min(rowEnd, storeEnd - 63);
        const std::uint8_t* const block = m_block.data();
        const std::uint8_t* in = block + m_position;
        std::size_t word = m_position / kWordBytes;
        std::uint64_t pending = m_counts[word] & (~std::uint64_t{0} << (m_position % kWordBytes));
        do {
            if (pending == 0) [[unlikely]] {
                if (++word < m_words) {
                    pending = m_counts[word];
                    continue;
                }
                // Only literals are left in the block.
                const auto literals =
                    std::min<std::size_t>(block + m_literalEnd - in, rowEnd - out);
                std::memcpy(out, in, literals);
                out += literals;
                in += literals;
                break;
            }
            const std::uint8_t* const at =
                block + word * kWordBytes + static_cast<std::uint32_t>(std::countr_zero(pending));
            pending &= pending - 1;
            const auto literals = static_cast<std::size_t>(at - in);
            const std::size_t run = at[0] - std::size_t{kRunFlag};
            const auto room = static_cast<std::size_t>(rowEnd - out);
            if (literals <= 16 && run <= 8 && literals < room) [[likely]] {
                std::memcpy(out, in, 16);
                out += literals;
                store8(out, at[1] * 0x0101010101010101u);
                out += run;
            } else if (literals < room) {
                std::memcpy(out, in, literals);
                out += literals;
                const std::size_t cut = std::min(run, room - literals);
                std::memset(out, at[1], cut);
                out += cut;
            } else {
                // The row ends among the literals; the rest start the next row.
                std::memcpy(out, in, room);
                out += room;
                in += room;
                break;
            }
            in = at + 2;
        } while (out < loopEnd);
        m_position = static_cast<std::size_t>(in - block);
        // A run past the row's end is cut off there.
        return std::min(out, rowEnd);
    }

#if WYN_PCX_WIDE
    // The steps of the binary search, as vectors.
    struct SearchSteps {
        __m512i by32, by16, by8, by4, by2, by1;
    };

    static bool wideDecoding() {
        static const bool supported =
            __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi");
        return supported;
    }

    // Up to 64 input bytes at a time. The count bytes of the stretch are
    // known, so every byte's share of the output (1 for a literal, the run for
    // a value, 0 for a count) and the running totals follow in a few vector
    // steps. The whole tokens whose output fits in 64 bytes and in the row are
    // taken; each output byte finds its source byte by a binary search over
    // the totals, and one permute writes them all. A run that crosses the
    // row's end is cut off here too; anything else is left to the narrower
    // steps.
    __attribute__((target("avx512f,avx512bw,avx512vbmi,lzcnt"))) std::uint8_t* decodeWide(
        std::uint8_t* out, std::uint8_t* const rowEnd, std::uint8_t* const storeEnd) {
        const std::uint8_t* const block = m_block.data();
        // Loaded, not built: this runs for every row.
        const __m512i lanes = load64(kWideTables.lanes);
        const __m512i ones = _mm512_set1_epi8(1);
        const __m512i sixBits = _mm512_set1_epi8(63);
        const __m512i back1 = load64(kWideTables.back1);
        const __m512i back8 = load64(kWideTables.back8);
        const __m512i back16 = load64(kWideTables.back16);
        const __m512i back32 = load64(kWideTables.back32);
        const __mmask64 notFirstGroup = ~std::uint64_t{0} << 8;
        const __m512i groupBefore = load64(kWideTables.groupBefore);
        const SearchSteps steps{load64(kWideTables.steps[0]), load64(kWideTables.steps[1]),
                                load64(kWideTables.steps[2]), load64(kWideTables.steps[3]),
                                load64(kWideTables.steps[4]), load64(kWideTables.steps[5])};
        constexpr std::uint64_t all = ~std::uint64_t{0};
        constexpr std::uint64_t kWindow = (std::uint64_t{1} << 48) - 1;
        std::size_t position = m_position;
        std::uint8_t* queued = nullptr;  // where the stretch waiting to be written goes
        __m512i queuedStarts = _mm512_setzero_si512();
        __m512i queuedBytes = _mm512_setzero_si512();
        // Locals: the stores through out could otherwise alias the members.
        const std::size_t literalEnd = m_literalEnd;
        const std::uint64_t* const countWords = m_counts.data();
        while (position < literalEnd && out < rowEnd && storeEnd - out >= 64) {
            const std::size_t available = literalEnd - position;
            const std::size_t word = position / kWordBytes;
            const std::size_t shift = position % kWordBytes;
            // No branch on the shift: a mispredicted one would stall the vector work.
            const std::uint64_t valid =
                available >= kWordBytes ? all : (std::uint64_t{1} << available) - 1;
            const std::uint64_t counts =
                (countWords[word] >> shift) | ((countWords[word + 1] << 1) << (63 - shift));
            const std::uint64_t values = (counts << 1) & valid;
            const std::uint64_t tokenEnds = valid & ~counts;

            const __m512i bytes = _mm512_loadu_si512(block + position);
            const __m512i before = _mm512_permutexvar_epi8(back1, bytes);
            __m512i shares = _mm512_maskz_mov_epi8(tokenEnds, ones);
            shares = _mm512_mask_blend_epi8(values, shares, _mm512_and_si512(before, sixBits));
            // Running totals, saturating at 255: within each group of eight
            // bytes by shifting the group; then each group adds the totals of
            // the groups before it.
            __m512i totals = shares;
            totals = _mm512_adds_epu8(totals, _mm512_slli_epi64(totals, 8));
            totals = _mm512_adds_epu8(totals, _mm512_slli_epi64(totals, 16));
            totals = _mm512_adds_epu8(totals, _mm512_slli_epi64(totals, 32));
            // The first group has nothing before it; its lanes stay 0, so the
            // later steps pick from them where there is nothing to add.
            __m512i earlier = _mm512_maskz_permutexvar_epi8(notFirstGroup, groupBefore, totals);
            earlier = _mm512_adds_epu8(earlier, _mm512_permutexvar_epi8(back8, earlier));
            earlier = _mm512_adds_epu8(earlier, _mm512_permutexvar_epi8(back16, earlier));
            earlier = _mm512_adds_epu8(earlier, _mm512_permutexvar_epi8(back32, earlier));
            totals = _mm512_adds_epu8(totals, earlier);

            // Usually the tokens that end in the first 48 bytes fit in 64 output
            // bytes: that choice needs no vector result, so the next stretch
            // can start at once. When they do not fit, the running totals
            // decide.
            const auto room = static_cast<std::size_t>(rowEnd - out);
            const auto limit = std::min<std::size_t>(room, 64);
            const std::uint64_t windowEnds = tokenEnds & kWindow;
            auto last = static_cast<unsigned>(63 - _lzcnt_u64(windowEnds | 1));
            std::size_t produced = totalAt(totals, last);
            if (windowEnds == 0 || produced > limit) [[unlikely]] {
                const std::uint64_t fitting =
                    _mm512_cmple_epu8_mask(totals, _mm512_set1_epi8(static_cast<char>(limit))) &
                    tokenEnds;
                if (fitting == 0) {
                    // The first token is a run longer than the rest of the row.
                    if ((values & 2) == 0) {
                        break;  // its value is not in this stretch
                    }
                    if (queued != nullptr) {
                        writeStretch(queued, queuedStarts, queuedBytes, lanes, steps);
                        queued = nullptr;
                    }
                    std::memset(out, block[position + 1], room);
                    out = rowEnd;
                    position += 2;
                    break;
                }
                last = static_cast<unsigned>(63 - _lzcnt_u64(fitting));
                produced = totalAt(totals, last);
            }
            // The output of a stretch is written while the next stretch is
            // worked out: the two do not depend on each other, so the
            // processor overlaps them. Writes stay in order, so a stretch
            // writes over what lies past the one before.
            if (queued != nullptr) {
                writeStretch(queued, queuedStarts, queuedBytes, lanes, steps);
            }
            queued = out;
            queuedStarts = _mm512_sub_epi8(totals, shares);
            queuedBytes = bytes;
            out += produced;
            position += last + 1;
        }
        if (queued != nullptr) {
            writeStretch(queued, queuedStarts, queuedBytes, lanes, steps);
        }
        m_position = position;
        return out;
    }

    // Output byte j comes from the last byte whose output starts at or before j.
    __attribute__((target("avx512f,avx512bw,avx512vbmi"), always_inline)) static void writeStretch(
        std::uint8_t* out, __m512i starts, __m512i bytes, __m512i lanes, const SearchSteps& steps) {
        _mm512_storeu_si512(out, _mm512_permutexvar_epi8(sourceLanes(starts, lanes, steps), bytes));
    }

    __attribute__((target("avx512f"), always_inline)) static __m512i load64(
        const std::array<std::uint8_t, kWordBytes>& bytes) {
        return _mm512_load_si512(bytes.data());
    }

    // For each target, the last lane whose start is at or before it (starts
    // rise from lane to lane): a binary search, all lanes at once.
    __attribute__((target("avx512f,avx512bw,avx512vbmi"), always_inline)) static __m512i
    sourceLanes(__m512i starts, __m512i targets, const SearchSteps& steps) {
        __m512i source = _mm512_setzero_si512();
        source = searchStep(source, steps.by32, starts, targets);
        source = searchStep(source, steps.by16, starts, targets);
        source = searchStep(source, steps.by8, starts, targets);
        source = searchStep(source, steps.by4, starts, targets);
        source = searchStep(source, steps.by2, starts, targets);
        return searchStep(source, steps.by1, starts, targets);
    }

    __attribute__((target("avx512f,avx512bw,avx512vbmi"), always_inline)) static __m512i searchStep(
        __m512i source, __m512i step, __m512i starts, __m512i targets) {
        const __m512i candidate = _mm512_add_epi8(source, step);
        const __mmask64 reached =
            _mm512_cmple_epu8_mask(_mm512_permutexvar_epi8(candidate, starts), targets);
        return _mm512_mask_mov_epi8(source, reached, candidate);
    }

    // One lane of the totals.
    __attribute__((target("avx512f,avx512bw,avx512vbmi"), always_inline)) static std::size_t
    totalAt(__m512i totals, unsigned lane) {
        const __m512i picked =
            _mm512_permutexvar_epi8(_mm512_set1_epi8(static_cast<char>(lane)), totals);
        return static_cast<std::uint8_t>(_mm_cvtsi128_si32(_mm512_castsi512_si128(picked)));
    }
#endif

    bool refill() {
        if (m_next >= m_end) {
            return false;
        }
        const auto wanted =
            static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSize, m_end - m_next));
        m_filled = m_source.readAt(m_next, m_block.data(), wanted);
        m_position = 0;
        if (m_filled == 0) {
            m_next = m_end;  // a file that got shorter
            return false;
        }
        m_next += m_filled;
        markCounts();
        return true;
    }

    void markCounts() {
        m_words = (m_filled + kWordBytes - 1) / kWordBytes;
        m_literalEnd = m_filled;
        const std::size_t fullWords = m_filled / kWordBytes;
        std::uint64_t carry = m_valueFirst;
        std::size_t w = 0;
#if WYN_PCX_WIDE
        if (wideDecoding()) {
            carry = markFullWordsWide(fullWords, carry);
            w = fullWords;
        }
#endif
        for (; w < m_words; ++w) {
            std::uint64_t high = highBytes(m_block.data() + w * kWordBytes);
            if (w == fullWords) {
                high &= (std::uint64_t{1} << (m_filled % kWordBytes)) - 1;
            }
            m_counts[w] = countsAfter(high, carry);
            carry = m_counts[w] >> 63;
        }
        m_valueFirst = (m_counts[m_words - 1] >> ((m_filled - 1) % kWordBytes)) & 1;
        if (m_valueFirst) {
            // The last byte counts a run whose value is in the next block:
            // left to the exact steps.
            m_counts[m_words - 1] &= ~(std::uint64_t{1} << ((m_filled - 1) % kWordBytes));
            m_literalEnd = m_filled - 1;
        }
        m_counts[m_words] = 0;
    }

    // The count bytes of a word whose byte before was a count (carry 1) or
    // not. A count there turns the stretch of high bytes at the word's start
    // around; the rest of the word does not depend on it, so the words need
    // not wait on each other.
    static std::uint64_t countsAfter(std::uint64_t high, std::uint64_t carry) {
        const std::uint64_t firstStretch = high & ~(high + 1);
        return countBytes(high) ^ (firstStretch & (0 - carry));
    }

#if WYN_PCX_WIDE
    // The whole words of the block; returns the carry into the next word.
    __attribute__((target("avx512f,avx512bw"))) std::uint64_t markFullWordsWide(
        std::size_t fullWords, std::uint64_t carry) {
        const __m512i flag = _mm512_set1_epi8(static_cast<char>(kRunFlag));
        const std::uint8_t* const block = m_block.data();
        std::uint64_t* const words = m_counts.data();
        for (std::size_t w = 0; w < fullWords; ++w) {
            const std::uint64_t high =
                _mm512_cmpge_epu8_mask(_mm512_loadu_si512(block + w * kWordBytes), flag);
            words[w] = countsAfter(high, carry);
            carry = words[w] >> 63;
        }
        return carry;
    }
#endif

    PcxSource& m_source;
    // Room past the block for reading 64 bytes from any position in it.
    std::vector<std::uint8_t> m_block = std::vector<std::uint8_t>(kBlockSize + kWordBytes);
    std::vector<std::uint64_t> m_counts = std::vector<std::uint64_t>(kBlockWords + 1);
    std::size_t m_words = 0;
    std::size_t m_literalEnd = 0;  // how far the faster ways may read in the block
    bool m_valueFirst = false;     // the next block starts with the value of a run
    std::size_t m_position = 0;
    std::size_t m_filled = 0;
    std::uint64_t m_next;
    std::uint64_t m_end;
};

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
    // Whether a row decodes straight into the picture; otherwise it decodes
    // into a row buffer that storeRow converts.
    virtual bool decodesInPlace() const { return false; }
    virtual void storeRow(const std::uint8_t*, std::uint8_t*) const {}

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
        // A row buffer has scratch room after the row; so have the picture's
        // own rows, in the rows below, except at the very end.
        std::vector<std::uint8_t> row(decodesInPlace() ? 0 : bytesPerRow() + kScratch, 0);
        std::uint8_t* const end = picture.pixels.data() + picture.pixels.size();
        for (int y = 0; y < m_height; ++y) {
            std::uint8_t* const out =
                picture.pixels.data() + stride() * static_cast<std::size_t>(y);
            if (!decodesInPlace()) {
                const bool complete = in.decodeRow(row.data(), bytesPerRow(), true);
                storeRow(row.data(), out);
                if (!complete) {
                    break;  // the rest stays 0
                }
                continue;
            }
            std::uint8_t* const rowEnd = out + bytesPerRow();
            const bool scratch = end - rowEnd >= static_cast<std::ptrdiff_t>(kScratch);
            if (!in.decodeRow(out, bytesPerRow(), scratch)) {
                // The rest stays 0, also where the scratch writes went.
                std::fill(rowEnd, scratch ? rowEnd + kScratch : end, std::uint8_t{0});
                break;
            }
            std::fill(rowEnd, out + stride(), std::uint8_t{0});  // the padding
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

    // A decoded row is the picture's row: no copy.
    bool decodesInPlace() const override { return true; }
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
