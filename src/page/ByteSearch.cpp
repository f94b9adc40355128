#include "page/ByteSearch.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__SSE2__) && defined(__x86_64__) && defined(__GNUC__)
#define QUORRA_WIDE_SCAN 1
#include <immintrin.h>
#endif

namespace quorra {

namespace {

#if defined(__SSE2__)
constexpr qsizetype Step = 16;

__m128i load(const char* at) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}

// One bit for each of the sixteen bytes that equals c.
unsigned equalBits(__m128i bytes, char c) {
    return unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(c))));
}
#endif

bool sameBytes(const char* a, const char* b, qsizetype n) {
    for (qsizetype i = 0; i < n; ++i) {
        if (a[i] != b[i])
            return false;
    }
    return true;
}

bool isOddLineEnd(QByteArrayView bytes, qsizetype i) {
    if (bytes[i] == '\r')
        return i + 1 == bytes.size() || bytes[i + 1] != '\n';
    return bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r');
}

} // namespace

// The SSE2 loops look at 32 places a step, then 16; a last step of 16 is moved back to end
// at the end of the bytes, and the places it looks at again are masked out.

qsizetype findBytes(QByteArrayView bytes, qsizetype from, QByteArrayView needle) {
    const qsizetype n = needle.size();
    const qsizetype size = bytes.size();
    const qsizetype last = size - n; // the last place where needle fits
    if (n == 0 || from > last)
        return -1;
    const char* data = bytes.data();
    const char first = needle[0];
    if (n == 1) {
        const void* hit = std::memchr(data + from, first, size_t(size - from));
        return hit ? static_cast<const char*>(hit) - data : -1;
    }
#if defined(__SSE2__)
    // Where the needle's first two bytes stand; the rest is compared there.
    if (size - from >= Step + 1) {
        const char second = needle[1];
        const auto pairs = [&](qsizetype at) {
            return equalBits(load(data + at), first) & equalBits(load(data + at + 1), second);
        };
        for (qsizetype i = from;;) {
            qsizetype at = i;
            qsizetype step = 2 * Step;
            unsigned hits = 0;
            if (i + 2 * Step + 1 <= size) {
                hits = pairs(i) | pairs(i + Step) << Step;
            } else if (i + Step + 1 <= size) {
                hits = pairs(i);
                step = Step;
            } else {
                at = size - Step - 1;
                hits = pairs(at) & (~0u << (i - at));
            }
            for (; hits; hits &= hits - 1) {
                const qsizetype place = at + std::countr_zero(hits);
                if (place > last)
                    return -1;
                if (sameBytes(data + place + 2, needle.data() + 2, n - 2))
                    return place;
            }
            if (at != i)
                return -1;
            i += step;
        }
    }
#endif
    for (qsizetype i = from; i <= last; ++i) {
        if (data[i] == first && sameBytes(data + i + 1, needle.data() + 1, n - 1))
            return i;
    }
    return -1;
}

qsizetype findLineEnd(QByteArrayView bytes, qsizetype from) {
    const char* data = bytes.data();
    const qsizetype size = bytes.size();
#if defined(__SSE2__)
    if (size - from >= Step) {
        const auto ends = [&](qsizetype at) {
            const __m128i block = load(data + at);
            return equalBits(block, '\r') | equalBits(block, '\n');
        };
        qsizetype i = from;
        for (; i + 2 * Step <= size; i += 2 * Step) {
            if (const unsigned hits = ends(i) | ends(i + Step) << Step)
                return i + std::countr_zero(hits);
        }
        for (; i + Step <= size; i += Step) {
            if (const unsigned hits = ends(i))
                return i + std::countr_zero(hits);
        }
        if (i == size)
            return -1;
        const qsizetype at = size - Step;
        const unsigned hits = ends(at) & (~0u << (i - at));
        return hits ? at + std::countr_zero(hits) : -1;
    }
#endif
    for (qsizetype i = from; i < size; ++i) {
        if (data[i] == '\r' || data[i] == '\n')
            return i;
    }
    return -1;
}

qsizetype findLineEndOrBytes(QByteArrayView bytes, qsizetype from, QByteArrayView needle) {
    const char* data = bytes.data();
    const qsizetype size = bytes.size();
    const qsizetype n = needle.size();
    const auto isEnd = [&](qsizetype i) {
        return data[i] == '\r' || data[i] == '\n' ||
               (n > 0 && i + n <= size && sameBytes(data + i, needle.data(), n));
    };
#if defined(__SSE2__)
    // Bit k of a step at at: a line end or the needle's first two bytes at at + k; the last
    // byte is looked at after the last step.
    if (size - from >= Step + 1 && n >= 2) {
        const auto hits = [&](qsizetype at) {
            const __m128i here = load(data + at);
            const __m128i pair = _mm_and_si128(_mm_cmpeq_epi8(here, _mm_set1_epi8(needle[0])),
                                               _mm_cmpeq_epi8(load(data + at + 1), _mm_set1_epi8(needle[1])));
            return equalBits(here, '\r') | equalBits(here, '\n') | unsigned(_mm_movemask_epi8(pair));
        };
        for (qsizetype i = from;; i += Step) {
            const qsizetype at = std::min(i, size - Step - 1);
            for (unsigned found = hits(at) & (~0u << (i - at)); found; found &= found - 1) {
                if (const qsizetype place = at + std::countr_zero(found); isEnd(place))
                    return place;
            }
            if (at != i)
                return data[size - 1] == '\r' || data[size - 1] == '\n' ? size - 1 : -1;
        }
    }
#endif
    for (qsizetype i = from; i < size; ++i) {
        if (isEnd(i))
            return i;
    }
    return -1;
}

qsizetype findLastLineEnd(QByteArrayView bytes, qsizetype from, qsizetype to) {
    const char* data = bytes.data();
#if defined(__SSE2__)
    if (to - from >= Step) {
        for (;; to -= Step) {
            const qsizetype at = std::max(to - Step, from);
            const __m128i block = load(data + at);
            const unsigned ends = equalBits(block, '\r') | equalBits(block, '\n');
            if (const unsigned hits = ends & ((1u << (to - at)) - 1))
                return at + (31 - std::countl_zero(hits));
            if (at == from)
                return -1;
        }
    }
#endif
    while (to > from) {
        --to;
        if (data[to] == '\r' || data[to] == '\n')
            return to;
    }
    return -1;
}

namespace {

// What a set bit of the sixteen-byte scan below stands for: the place of an odd line end,
// the needle's place, or -1 when the needle's first two bytes stand there but not all of it.
qsizetype resolveHit(QByteArrayView bytes, qsizetype place, QByteArrayView needle) {
    const char* data = bytes.data();
    if (data[place] == '\r')
        return place;
    if (data[place + 1] == '\n')
        return place + 1;
    const bool whole = place + needle.size() <= bytes.size() &&
                       sameBytes(data + place + 2, needle.data() + 2, needle.size() - 2);
    return whole ? place : -1;
}

// The same search a byte at a time: for short stretches, a needle of one byte, and
// processors without SSE2.
qsizetype findOddLineEndOrBytesSlowly(QByteArrayView bytes, qsizetype from, QByteArrayView needle) {
    const qsizetype n = needle.size();
    for (qsizetype i = from; i < bytes.size(); ++i) {
        if (isOddLineEnd(bytes, i))
            return i;
        if (n > 0 && i + n <= bytes.size() && sameBytes(bytes.data() + i, needle.data(), n))
            return i;
    }
    return -1;
}

} // namespace

#if defined(QUORRA_WIDE_SCAN)
namespace {

bool hasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

// The bits of findOddLineEndOrBytes's scan for 32 bytes at at, with AVX2.
__attribute__((target("avx2"))) std::uint64_t wideHits(const char* at, __m256i first, __m256i second,
                                                       bool withNeedle) {
    const __m256i here = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
    const __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + 1));
    const __m256i odd = _mm256_xor_si256(_mm256_cmpeq_epi8(here, _mm256_set1_epi8('\r')),
                                         _mm256_cmpeq_epi8(next, _mm256_set1_epi8('\n')));
    const __m256i pair = _mm256_and_si256(_mm256_cmpeq_epi8(here, first), _mm256_cmpeq_epi8(next, second));
    return std::uint32_t(_mm256_movemask_epi8(withNeedle ? _mm256_or_si256(odd, pair) : odd));
}

// findOddLineEndOrBytes's scan 64 bytes a step, from at on while a whole step fits: the
// bits of the first step with any, at moved to that step; 0 when none, at moved to where
// the steps stopped. The upper halves of the registers are cleared before going back to
// code without AVX, which would otherwise slow down.
__attribute__((target("avx2"))) std::uint64_t scanWide(QByteArrayView bytes, qsizetype& at,
                                                       QByteArrayView needle) {
    const bool withNeedle = !needle.isEmpty();
    const __m256i first = _mm256_set1_epi8(withNeedle ? needle[0] : '\r');
    const __m256i second = _mm256_set1_epi8(withNeedle ? needle[1] : '\n');
    std::uint64_t found = 0;
    qsizetype i = at;
    for (; i + 65 <= bytes.size(); i += 64) {
        found = wideHits(bytes.data() + i, first, second, withNeedle) |
                wideHits(bytes.data() + i + 32, first, second, withNeedle) << 32;
        if (found)
            break;
    }
    _mm256_zeroupper();
    at = i;
    return found;
}

} // namespace
#endif

qsizetype findOddLineEndOrBytes(QByteArrayView bytes, qsizetype from, QByteArrayView needle) {
    const qsizetype size = bytes.size();
    const qsizetype n = needle.size();
#if defined(__SSE2__)
    // Bit k of a step at at: a CR at at + k without an LF after it, an LF at at + k + 1
    // without a CR before it, or the needle's first two bytes at at + k. An LF at from is
    // looked at first, a CR as the last byte at the end.
    if (size - from >= Step + 1 && n != 1) {
        if (isOddLineEnd(bytes, from))
            return from;
#if defined(QUORRA_WIDE_SCAN)
        if (hasAvx2()) {
            for (std::uint64_t found; (found = scanWide(bytes, from, needle)); from += 64) {
                for (; found; found &= found - 1) {
                    if (const qsizetype place = resolveHit(bytes, from + std::countr_zero(found), needle);
                        place >= 0)
                        return place;
                }
            }
        }
#endif
        const char* data = bytes.data();
        const __m128i first = _mm_set1_epi8(n > 0 ? needle[0] : '\r');
        const __m128i second = _mm_set1_epi8(n > 0 ? needle[1] : '\n');
        const auto hits = [&](qsizetype at) {
            const __m128i here = load(data + at);
            const __m128i next = load(data + at + 1);
            const __m128i odd = _mm_xor_si128(_mm_cmpeq_epi8(here, _mm_set1_epi8('\r')),
                                              _mm_cmpeq_epi8(next, _mm_set1_epi8('\n')));
            const __m128i pair = _mm_and_si128(_mm_cmpeq_epi8(here, first), _mm_cmpeq_epi8(next, second));
            return unsigned(_mm_movemask_epi8(n > 0 ? _mm_or_si128(odd, pair) : odd));
        };
        for (qsizetype i = from;;) {
            qsizetype at = i;
            qsizetype step = 2 * Step;
            unsigned found = 0;
            if (i + 2 * Step + 1 <= size) {
                found = hits(i) | hits(i + Step) << Step;
            } else {
                at = std::min(i, size - Step - 1);
                step = Step;
                found = hits(at) & (~0u << (i - at));
            }
            for (; found; found &= found - 1) {
                if (const qsizetype place = resolveHit(bytes, at + std::countr_zero(found), needle);
                    place >= 0)
                    return place;
            }
            if (at != i)
                return data[size - 1] == '\r' ? size - 1 : -1;
            i += step;
        }
    }
#endif
    return findOddLineEndOrBytesSlowly(bytes, from, needle);
}

} // namespace quorra
