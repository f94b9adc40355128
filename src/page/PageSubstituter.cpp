#include "page/PageSubstituter.h"

#include "entry/TextRules.h"
#include "page/Cp1252.h"
#include "page/PageOutput.h"

#include <algorithm>
#include <cstring>

namespace quorra {

namespace {

// The place of the needle's byte that memchr looks for: its highest, as letters late in
// the alphabet (the x of txt) are rare in HTML and English text, and memchr is quick only
// when it stops seldom.
qsizetype keyOf(QByteArrayView needle) {
    const auto byteLess = [](char a, char b) { return uchar(a) < uchar(b); };
    return std::max_element(needle.begin(), needle.end(), byteLess) - needle.begin();
}

// The first place at or after from where needle stands whole in bytes, or -1; an empty
// needle stands at every place before the end.
qsizetype find(QByteArrayView bytes, qsizetype from, QByteArrayView needle, qsizetype key) {
    if (needle.isEmpty())
        return from < bytes.size() ? from : -1;
    const char* data = bytes.data();
    const qsizetype last = bytes.size() - needle.size(); // the last place where it fits
    for (qsizetype at = from; at <= last;) {
        const void* hit = std::memchr(data + at + key, needle[key], size_t(last - at + 1));
        if (!hit)
            return -1;
        at = static_cast<const char*>(hit) - data - key;
        qsizetype same = 0; // names are short: a loop is quicker than a call of memcmp
        while (same < needle.size() && data[at + same] == needle[same])
            ++same;
        if (same == needle.size())
            return at;
        ++at;
    }
    return -1;
}

} // namespace

PageSubstituter::PageSubstituter(const QList<PageField>& fields) {
    for (const PageField& field : fields) {
        QByteArray name = encodeCp1252(field.name);
        QByteArray text = encodeCp1252(trimBlanks(field.text));
        // A name with a line end stands in no line.
        if (!name.isEmpty() && name != text && !name.contains('\r') && !name.contains('\n'))
            m_entries.push_back(Entry{std::move(name), std::move(text)});
    }
    m_startOnly = qsizetype(m_entries.size());
    if (m_entries.empty())
        return;
    m_start = m_entries.front().name;
    for (const Entry& entry : m_entries) {
        const auto mismatch =
            std::mismatch(m_start.cbegin(), m_start.cend(), entry.name.cbegin(), entry.name.cend());
        m_start.truncate(mismatch.first - m_start.cbegin());
    }
    m_startKey = keyOf(m_start);
    for (qsizetype i = 0; i < qsizetype(m_entries.size()); ++i) {
        const QByteArray& name = m_entries[std::size_t(i)].name;
        if (name.size() == m_start.size())
            m_startOnly = std::min(m_startOnly, i);
        else
            m_byNextByte[uchar(name[m_start.size()])].push_back(i);
    }
}

qsizetype PageSubstituter::nextCandidate(QByteArrayView bytes, qsizetype from) const {
    const qsizetype at = m_entries.empty() ? -1 : find(bytes, from, m_start, m_startKey);
    return at < 0 ? bytes.size() : at;
}

// The first entry in list order whose name stands at at, a place of the start; when none
// does, the first entry whose name is the start alone, or the number of entries.
qsizetype PageSubstituter::entryAt(QByteArrayView bytes, qsizetype at) const {
    const QByteArrayView rest = bytes.sliced(at);
    if (rest.size() == m_start.size())
        return m_startOnly;
    for (const qsizetype i : m_byNextByte[uchar(rest[m_start.size()])]) {
        if (i > m_startOnly)
            break;
        const QByteArray& name = m_entries[std::size_t(i)].name;
        // Names of a list often share their first bytes, seldom their last.
        if (name.size() <= rest.size() && rest[name.size() - 1] == name.back() && rest.startsWith(name))
            return i;
    }
    return m_startOnly;
}

PageSubstituter::Match PageSubstituter::match(QByteArrayView bytes, qsizetype from, qsizetype next) const {
    // Every name begins with the start, so its places are the only ones to look at.
    Match best{qsizetype(m_entries.size())};
    for (qsizetype at = from; at >= 0 && best.field > 0;) {
        const qsizetype following = next < bytes.size() ? next : -1;
        if (const qsizetype field = entryAt(bytes, at); field < best.field)
            best = Match{field, at, following};
        at = following;
        next = at < 0 ? -1 : find(bytes, at + 1, m_start, m_startKey);
    }
    return best.at >= 0 ? best : Match{};
}

qsizetype PageSubstituter::putFilled(QByteArrayView bytes, Match match, PageOutput& out) const {
    const Entry& entry = m_entries[std::size_t(match.field)];
    qsizetype copied = 0;
    for (qsizetype at = match.at; at >= 0;) {
        out.put(bytes.sliced(copied, at - copied));
        out.put(entry.text);
        copied = at + entry.name.size();
        at = match.next < 0 ? -1 : find(bytes, std::max(copied, match.next), entry.name, keyOf(entry.name));
    }
    return copied;
}

} // namespace quorra
