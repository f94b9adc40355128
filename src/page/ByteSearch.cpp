#include "page/ByteSearch.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
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

qsizetype findLastLineFeed(QByteArrayView bytes, qsizetype from, qsizetype to) {
    const char* data = bytes.data();
#if defined(__SSE2__)
    if (to - from >= Step) {
        for (;; to -= Step) {
            const qsizetype at = std::max(to - Step, from);
            const unsigned hits = equalBits(load(data + at), '\n') & ((1u << (to - at)) - 1);
            if (hits)
                return at + (31 - std::countl_zero(hits));
            if (at == from)
                return -1;
        }
    }
#endif
    while (to > from) {
        if (data[--to] == '\n')
            return to;
    }
    return -1;
}

qsizetype findOddLineEnd(QByteArrayView bytes, qsizetype from) {
    const qsizetype size = bytes.size();
    if (from < size && isOddLineEnd(bytes, from))
        return from;
#if defined(__SSE2__)
    // A CR at at + k without an LF after it, or an LF at at + k + 1 without a CR before it,
    // sets bit k; the LF at from was looked at above, a CR as the last byte is looked at
    // below. A set bit is then found byte by byte.
    if (size - from >= Step + 1) {
        const char* data = bytes.data();
        const auto odd = [&](qsizetype at) {
            return equalBits(load(data + at), '\r') ^ equalBits(load(data + at + 1), '\n');
        };
        qsizetype i = from;
        for (; i + 2 * Step + 1 <= size && !(odd(i) | odd(i + Step)); i += 2 * Step) {
        }
        for (; i + Step + 1 <= size && !odd(i); i += Step) {
        }
        if (i + Step + 1 > size && !(odd(size - Step - 1) & (~0u << (i - (size - Step - 1)))))
            return data[size - 1] == '\r' ? size - 1 : -1;
        while (!isOddLineEnd(bytes, i))
            ++i;
        return i;
    }
#endif
    for (qsizetype i = from; i < size; ++i) {
        if (isOddLineEnd(bytes, i))
            return i;
    }
    return -1;
}

} // namespace quorra
