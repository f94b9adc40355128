#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

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

    // Appends the line to out with its placeholder filled: the first field, in list
    // order, whose name occurs in the line and whose text differs from its name has
    // every occurrence replaced, left to right; no other name of the line is replaced.
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

    void appendReplaced(QByteArrayView line, const Entry& entry, qsizetype first, QByteArray& out) const;

    std::vector<Entry> m_entries; // only fields that can change a line
    QByteArray m_prefix;          // the start all names share ("txt"), or empty
    // An entry's name after the prefix: its first eight bytes as a word (the bytes it does
    // not have masked out), and its length.
    struct Tail {
        std::uint64_t word;
        std::uint64_t mask;
        qsizetype size;
        std::size_t entry;
    };

    // With a prefix: for each byte, the tails of the entries whose name goes on with that
    // byte after the prefix, in list order; the first entry whose name is the prefix
    // alone, or m_entries.size().
    std::array<std::vector<Tail>, 256> m_byNextByte;
    std::size_t m_prefixOnly = 0;
};

} // namespace quorra
