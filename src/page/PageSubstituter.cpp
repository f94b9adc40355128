#include "page/PageSubstituter.h"

#include "entry/TextRules.h"
#include "page/ByteSearch.h"
#include "page/Cp1252.h"

#include <algorithm>
#include <cstring>

namespace quorra {

namespace {

// Up to sixteen bytes as two words, the missing ones zero.
std::array<std::uint64_t, 2> wordsOf(const char* bytes, qsizetype size) {
    std::array<std::uint64_t, 2> words{};
    if (size >= 16) {
        std::memcpy(words.data(), bytes, 16);
        return words;
    }
    if (size > 8) {
        // The last eight bytes, moved down over the ones the first word holds.
        std::memcpy(&words[0], bytes, 8);
        std::memcpy(&words[1], bytes + size - 8, 8);
        words[1] >>= 8 * (16 - size);
        return words;
    }
    std::array<unsigned char, 16> padded{};
    for (qsizetype i = 0; i < size; ++i)
        padded[std::size_t(i)] = static_cast<unsigned char>(bytes[i]);
    std::memcpy(words.data(), padded.data(), 16);
    return words;
}

} // namespace

PageSubstituter::PageSubstituter(const QList<PageField>& fields) {
    m_entries.reserve(std::size_t(fields.size()));
    for (const PageField& field : fields) {
        Entry entry{encodeCp1252(field.name), encodeCp1252(trimBlanks(field.text))};
        if (entry.name.isEmpty() || entry.name == entry.text)
            continue;
        m_entries.push_back(std::move(entry));
    }
    m_prefixOnly = m_entries.size();
    if (m_entries.empty())
        return;
    m_prefix = m_entries.front().name;
    for (const Entry& entry : m_entries) {
        const auto mismatch =
            std::mismatch(m_prefix.cbegin(), m_prefix.cend(), entry.name.cbegin(), entry.name.cend());
        m_prefix.truncate(mismatch.first - m_prefix.cbegin());
    }
    if (m_prefix.isEmpty())
        return;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const QByteArray& name = m_entries[i].name;
        if (name.size() == m_prefix.size()) {
            m_prefixOnly = std::min(m_prefixOnly, i);
        } else {
            const QByteArrayView tail = QByteArrayView(name).sliced(m_prefix.size());
            const QByteArray ones(16, '\xff');
            const Tail entry{wordsOf(tail.data(), tail.size()), wordsOf(ones.constData(), tail.size()),
                             tail.size(), i};
            const auto first = static_cast<unsigned char>(tail[0]);
            if (tail.size() >= 2) {
                m_byStart[bucket(first, static_cast<unsigned char>(tail[1]))].push_back(entry);
            } else {
                for (unsigned second = 0; second < 256; ++second)
                    m_byStart[bucket(first, static_cast<unsigned char>(second))].push_back(entry);
            }
        }
    }
}

PageSubstituter::Match PageSubstituter::match(QByteArrayView line) const {
    if (m_entries.empty())
        return {};
    if (!m_prefix.isEmpty())
        return matchByPrefix(line);
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (const qsizetype at = line.indexOf(m_entries[i].name); at >= 0)
            return Match{qsizetype(i), at, at + 1};
    }
    return {};
}

// The first entry in list order whose name stands at at, a place of the prefix; when none
// does, the first entry whose name is the prefix alone, or the number of entries.
std::size_t PageSubstituter::entryAt(QByteArrayView line, qsizetype at) const {
    const qsizetype n = m_prefix.size();
    if (at + n == line.size())
        return m_prefixOnly;
    const char* rest = line.data() + at + n;
    const qsizetype restSize = line.size() - at - n;
    const std::array<std::uint64_t, 2> words = wordsOf(rest, restSize);
    const auto second = static_cast<unsigned char>(restSize > 1 ? rest[1] : 0);
    for (const Tail& tail : m_byStart[bucket(static_cast<unsigned char>(rest[0]), second)]) {
        if (tail.entry >= m_prefixOnly)
            break;
        if (tail.size <= restSize && (words[0] & tail.masks[0]) == tail.words[0] &&
            (words[1] & tail.masks[1]) == tail.words[1] &&
            (tail.size <= 16 || std::memcmp(rest + 16, m_entries[tail.entry].name.constData() + n + 16,
                                            size_t(tail.size - 16)) == 0))
            return tail.entry;
    }
    return m_prefixOnly;
}

PageSubstituter::Match PageSubstituter::matchAtStart(QByteArrayView line) const {
    const std::size_t entry = entryAt(line, 0);
    return entry < m_entries.size() ? Match{qsizetype(entry), 0, -1} : Match{};
}

// Every name starts with the prefix, so its places are the only ones to look at. At each,
// the first entry in list order whose name stands there; the earliest of these over the
// line wins, found at its first place.
PageSubstituter::Match PageSubstituter::matchByPrefix(QByteArrayView line) const {
    Match best{qsizetype(m_entries.size()), -1, -1};
    qsizetype at = findBytes(line, 0, m_prefix);
    while (at >= 0) {
        const qsizetype here = qsizetype(entryAt(line, at));
        const qsizetype next = findBytes(line, at + 1, m_prefix);
        if (here < best.entry)
            best = Match{here, at, next};
        if (best.entry == 0)
            break;
        at = next;
    }
    return best.at < 0 ? Match{} : best;
}

void PageSubstituter::appendLine(QByteArrayView line, QByteArray& out) const {
    putFilled(line, match(line), [&out](QByteArrayView bytes) { appendBytes(out, bytes); });
}

} // namespace quorra
