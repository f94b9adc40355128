#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <array>
#include <vector>

namespace quorra {

class PageOutput;

// One placeholder of a template: a field's name and its text.
struct PageField {
    QString name;
    QString text;
};

// Fills the placeholders of template lines. The fields' texts are trimmed of blanks and
// encoded to Windows-1252 once, when the substituter is made; template bytes pass through
// untouched.
class PageSubstituter {
public:
    explicit PageSubstituter(const QList<PageField>& fields);

    // The first place at or after from where a name that can fill a line may begin, or
    // bytes.size(). A line with no such place is copied unchanged.
    qsizetype nextCandidate(QByteArrayView bytes, qsizetype from) const;

    // Which field fills a line (without its line end), and the first place of its name
    // there: the first field in list order whose name occurs in the line and whose text
    // differs from its name. field is -1 when none does. The line is the end of the bytes;
    // from and next are the first two places of nextCandidate from the line's start on (next
    // may lie past the bytes' end), and no name stands before from.
    struct Match {
        qsizetype field = -1;
        qsizetype at = -1;
        qsizetype next = -1; // the name stands nowhere after at and before next; -1: nowhere
    };
    Match match(QByteArrayView bytes, qsizetype from, qsizetype next) const;

    // Puts the bytes into the page up to the end of the matched name's last occurrence, each
    // occurrence replaced by its field's text; returns the size of what it put from bytes.
    qsizetype putFilled(QByteArrayView bytes, Match match, PageOutput& out) const;

private:
    struct Entry {
        QByteArray name;
        QByteArray text;
    };

    qsizetype entryAt(QByteArrayView bytes, qsizetype at) const;

    std::vector<Entry> m_entries; // only fields that can change a line
    QByteArray m_start;           // the start all names share ("txt"), or empty
    qsizetype m_startKey = 0;     // the place of its byte that the search looks for
    // The entries, in list order, by the byte after the start in their name; the first entry
    // whose name is the start alone, or the number of entries.
    std::array<std::vector<qsizetype>, 256> m_byNextByte;
    qsizetype m_startOnly = 0;
};

} // namespace quorra
