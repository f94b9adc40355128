#include "page/PageSubstituter.h"

#include "entry/TextRules.h"
#include "page/Cp1252.h"

#include <algorithm>

namespace quorra {

PageSubstituter::PageSubstituter(const QList<PageField>& fields) {
    m_entries.reserve(std::size_t(fields.size()));
    for (const PageField& field : fields) {
        Entry entry{encodeCp1252(field.name), encodeCp1252(trimBlanks(field.text))};
        if (entry.name.isEmpty() || entry.name == entry.text)
            continue;
        m_entries.push_back(std::move(entry));
    }
    if (m_entries.empty())
        return;
    m_prefix = m_entries.front().name;
    for (const Entry& entry : m_entries) {
        const auto mismatch =
            std::mismatch(m_prefix.cbegin(), m_prefix.cend(), entry.name.cbegin(), entry.name.cend());
        m_prefix.truncate(mismatch.first - m_prefix.cbegin());
    }
}

void PageSubstituter::appendLine(QByteArrayView line, QByteArray& out) {
    if (m_entries.empty()) {
        out.append(line);
        return;
    }
    if (m_prefix.isEmpty()) {
        for (const Entry& entry : m_entries) {
            if (const qsizetype at = line.indexOf(entry.name); at >= 0) {
                appendReplaced(line, entry, at, out);
                return;
            }
        }
        out.append(line);
        return;
    }

    // Every name starts with the prefix, so its places are the only ones to look at.
    qsizetype at = line.indexOf(m_prefix);
    if (at < 0) {
        out.append(line);
        return;
    }
    m_candidates.clear();
    for (; at >= 0; at = line.indexOf(m_prefix, at + 1))
        m_candidates.push_back(at);
    for (const Entry& entry : m_entries) {
        for (const qsizetype candidate : m_candidates) {
            if (line.sliced(candidate).startsWith(entry.name)) {
                appendReplaced(line, entry, candidate, out);
                return;
            }
        }
    }
    out.append(line);
}

void PageSubstituter::appendReplaced(QByteArrayView line, const Entry& entry, qsizetype first,
                                     QByteArray& out) const {
    qsizetype copied = 0;
    for (qsizetype at = first; at >= 0; at = line.indexOf(entry.name, copied)) {
        out.append(line.sliced(copied, at - copied));
        out.append(entry.text);
        copied = at + entry.name.size();
    }
    out.append(line.sliced(copied));
}

} // namespace quorra
