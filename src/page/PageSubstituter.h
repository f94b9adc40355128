#pragma once

#include "page/ByteSearch.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorra {

// One placeholder of a template: a field's name and its text.
struct PageField {
    QString name;
    QString text;
};

// Fills the placeholders of one template line. The fields' texts are trimmed of blanks
// and encoded to Windows-1252 once, when the substituter is made; template bytes pass
// through untouched.
class PageSubstituter {
public:
    explicit PageSubstituter(const QList<PageField>& fields);

    // Which field fills a line, and the first place of its name there; entry is -1 when
    // none does. The first field, in list order, whose name occurs in the line and whose
    // text differs from its name fills it.
    struct Match {
        qsizetype entry = -1;
        qsizetype at = -1;
        qsizetype next = -1; // the name stands nowhere after at and before next; -1: nowhere
    };
    Match match(QByteArrayView line) const;

    // match for a line that holds commonStart() at its start and nowhere else.
    Match matchAtStart(QByteArrayView line) const;

    // Hands the line to put in pieces, every occurrence of the matched name replaced, left
    // to right, by the field's text; no other name of the line is replaced.
    template <typename Put> void putFilled(QByteArrayView line, Match match, Put&& put) const;

    // Appends the line to out with its placeholder filled as putFilled does.
    void appendLine(QByteArrayView line, QByteArray& out) const;

    // True when no field can change a line (no field has both a name and a text that
    // differs from it): every line is copied unchanged.
    bool changesNothing() const { return m_entries.empty(); }

    // The start all names share ("txt"), or empty when they share none. A line that does
    // not hold it is copied unchanged.
    QByteArrayView commonStart() const { return m_prefix; }

private:
    struct Entry {
        QByteArray name;
        QByteArray text;
    };

    Match matchByPrefix(QByteArrayView line) const;
    std::size_t entryAt(QByteArrayView line, qsizetype at) const;

    std::vector<Entry> m_entries; // only fields that can change a line
    QByteArray m_prefix;          // the start all names share ("txt"), or empty
    // An entry's name after the prefix: its first sixteen bytes as two words (the bytes it
    // does not have masked out), and its length.
    struct Tail {
        std::array<std::uint64_t, 2> words;
        std::array<std::uint64_t, 2> masks;
        qsizetype size;
        std::size_t entry;
    };

    // With a prefix: the tails in list order, by the bucket of their first two bytes (a tail
    // of one byte in every bucket of that byte); the first entry whose name is the prefix
    // alone, or m_entries.size().
    static std::size_t bucket(unsigned char first, unsigned char second) {
        return (first + 7u * second) & 255u;
    }
    std::array<std::vector<Tail>, 256> m_byStart;
    std::size_t m_prefixOnly = 0;
};

template <typename Put> void PageSubstituter::putFilled(QByteArrayView line, Match match, Put&& put) const {
    if (match.entry < 0) {
        put(line);
        return;
    }
    const Entry& entry = m_entries[std::size_t(match.entry)];
    qsizetype copied = 0;
    qsizetype searchFrom = match.next;
    for (qsizetype at = match.at; at >= 0;) {
        put(line.sliced(copied, at - copied));
        put(QByteArrayView(entry.text));
        copied = at + entry.name.size();
        at = searchFrom < 0 ? -1 : findBytes(line, std::max(copied, searchFrom), entry.name);
        searchFrom = copied;
    }
    put(line.sliced(copied));
}

} // namespace quorra
