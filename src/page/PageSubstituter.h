#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

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
    void appendLine(QByteArrayView line, QByteArray& out);

private:
    struct Entry {
        QByteArray name;
        QByteArray text;
    };

    void appendReplaced(QByteArrayView line, const Entry& entry, qsizetype first, QByteArray& out) const;

    std::vector<Entry> m_entries; // only fields that can change a line
    QByteArray m_prefix;          // the start all names share ("txt"), or empty
    std::vector<qsizetype> m_candidates;
};

} // namespace quorra
