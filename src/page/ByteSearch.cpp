#include "page/ByteSearch.h"

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

qsizetype findBytes(QByteArrayView bytes, qsizetype from, QByteArrayView needle) {
    const qsizetype n = needle.size();
    const qsizetype last = bytes.size() - n; // the last place where needle fits
    if (n == 0 || from > last)
        return -1;
    const char* data = bytes.data();
    const char first = needle[0];
    if (n == 1) {
        const void* hit = std::memchr(data + from, first, size_t(bytes.size() - from));
        return hit ? static_cast<const char*>(hit) - data : -1;
    }
    qsizetype i = from;
#if defined(__SSE2__)
    // Where the needle's first two bytes stand; the rest is compared there.
    const char second = needle[1];
    for (; i + Step + 1 <= bytes.size(); i += Step) {
        for (unsigned hits = equalBits(load(data + i), first) & equalBits(load(data + i + 1), second); hits;
             hits &= hits - 1) {
            const qsizetype at = i + std::countr_zero(hits);
            if (at > last)
                return -1;
            if (sameBytes(data + at + 2, needle.data() + 2, n - 2))
                return at;
        }
    }
#endif
    for (; i <= last; ++i) {
        if (data[i] == first && sameBytes(data + i + 1, needle.data() + 1, n - 1))
            return i;
    }
    return -1;
}

qsizetype findLineEnd(QByteArrayView bytes, qsizetype from) {
    const char* data = bytes.data();
    qsizetype i = from;
#if defined(__SSE2__)
    for (; i + Step <= bytes.size(); i += Step) {
        const __m128i block = load(data + i);
        if (const unsigned hits = equalBits(block, '\r') | equalBits(block, '\n'))
            return i + std::countr_zero(hits);
    }
#endif
    for (; i < bytes.size(); ++i) {
        if (data[i] == '\r' || data[i] == '\n')
            return i;
    }
    return -1;
}

qsizetype findLastLineFeed(QByteArrayView bytes, qsizetype from, qsizetype to) {
    const char* data = bytes.data();
#if defined(__SSE2__)
    for (; to - from >= Step; to -= Step) {
        if (const unsigned hits = equalBits(load(data + to - Step), '\n'))
            return to - Step + (31 - std::countl_zero(hits));
    }
#endif
    while (to > from) {
        if (data[--to] == '\n')
            return to;
    }
    return -1;
}

qsizetype findOddLineEnd(QByteArrayView bytes, qsizetype from) {
    if (from < bytes.size() && isOddLineEnd(bytes, from))
        return from;
    qsizetype i = from;
#if defined(__SSE2__)
    // A CR at i + k without an LF after it, or an LF at i + k + 1 without a CR before it,
    // sets bit k; the LF at from was looked at above.
    const char* data = bytes.data();
    for (; i + Step + 1 <= bytes.size(); i += Step) {
        if (equalBits(load(data + i), '\r') ^ equalBits(load(data + i + 1), '\n')) {
            while (!isOddLineEnd(bytes, i))
                ++i;
            return i;
        }
    }
#endif
    for (; i < bytes.size(); ++i) {
        if (isOddLineEnd(bytes, i))
            return i;
    }
    return -1;
}

} // namespace quorra
