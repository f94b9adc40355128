#include "page/PageSubstituter.h"

#include "entry/TextRules.h"
#include "page/ByteSearch.h"
#include "page/Cp1252.h"

#include <algorithm>
#include <cstring>

namespace quorra {

namespace {

// Up to eight bytes as a word, the missing ones zero.
std::uint64_t wordOf(const char* bytes, qsizetype size) {
    std::uint64_t word = 0;
    if (size >= 8)
        std::memcpy(&word, bytes, 8);
    else
        std::memcpy(&word, bytes, size_t(size));
    return word;
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
            const std::uint64_t mask = wordOf(QByteArray(8, '\xff').constData(), tail.size());
            m_byNextByte[static_cast<unsigned char>(tail[0])].push_back(
                Tail{wordOf(tail.data(), tail.size()), mask, tail.size(), i});
        }
    }
}

void PageSubstituter::appendLine(QByteArrayView line, QByteArray& out) const {
    if (m_entries.empty()) {
        appendBytes(out, line);
        return;
    }
    if (m_prefix.isEmpty()) {
        for (const Entry& entry : m_entries) {
            if (const qsizetype at = line.indexOf(entry.name); at >= 0) {
                appendReplaced(line, entry, at, out);
                return;
            }
        }
        appendBytes(out, line);
        return;
    }

    // Every name starts with the prefix, so its places are the only ones to look at. At
    // each, the first entry in list order whose name stands there; the earliest of these
    // over the line wins, found at its first place.
    std::size_t best = m_entries.size();
    qsizetype bestAt = -1;
    const qsizetype n = m_prefix.size();
    for (qsizetype at = findBytes(line, 0, m_prefix); at >= 0 && best > 0;
         at = findBytes(line, at + 1, m_prefix)) {
        std::size_t here = m_prefixOnly;
        if (at + n < line.size()) {
            const char* rest = line.data() + at + n;
            const qsizetype restSize = line.size() - at - n;
            const std::uint64_t word = wordOf(rest, restSize);
            for (const Tail& tail : m_byNextByte[static_cast<unsigned char>(rest[0])]) {
                if (tail.entry >= here)
                    break;
                if ((word & tail.mask) == tail.word && tail.size <= restSize &&
                    (tail.size <= 8 || QByteArrayView(rest + 8, tail.size - 8) ==
                                           QByteArrayView(m_entries[tail.entry].name).sliced(n + 8))) {
                    here = tail.entry;
                    break;
                }
            }
        }
        if (here < best) {
            best = here;
            bestAt = at;
        }
    }
    if (bestAt < 0) {
        appendBytes(out, line);
        return;
    }
    appendReplaced(line, m_entries[best], bestAt, out);
}

void PageSubstituter::appendReplaced(QByteArrayView line, const Entry& entry, qsizetype first,
                                     QByteArray& out) const {
    // The places of the name, found first, so that out grows once.
    constexpr int Few = 8;
    std::array<qsizetype, Few> places{};
    int count = 0;
    const qsizetype nameSize = entry.name.size();
    qsizetype at = first;
    for (; at >= 0 && count < Few; at = findBytes(line, at + nameSize, entry.name))
        places[count++] = at;
    if (at >= 0) {
        // Many places: piece by piece.
        qsizetype copied = 0;
        for (at = first; at >= 0; at = findBytes(line, copied, entry.name)) {
            appendBytes(out, line.sliced(copied, at - copied));
            appendBytes(out, entry.text);
            copied = at + nameSize;
        }
        appendBytes(out, line.sliced(copied));
        return;
    }
    const qsizetype start = out.size();
    out.resize(start + line.size() + count * (entry.text.size() - nameSize));
    char* to = out.data() + start;
    const auto put = [&to](QByteArrayView bytes) {
        if (!bytes.isEmpty())
            std::memcpy(to, bytes.data(), size_t(bytes.size()));
        to += bytes.size();
    };
    qsizetype copied = 0;
    for (int i = 0; i < count; ++i) {
        put(line.sliced(copied, places[i] - copied));
        put(entry.text);
        copied = places[i] + nameSize;
    }
    put(line.sliced(copied));
}

} // namespace quorra
