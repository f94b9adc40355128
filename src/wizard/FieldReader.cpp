#include "wizard/FieldReader.h"

#include "entry/TextRules.h"
#include "page/Cp1252.h"
#include "page/RegularFile.h"

#include <QFile>

namespace quorra {

namespace {

bool isLineEnd(QChar c) {
    return c == u'\r' || c == u'\n';
}
bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// Moves past one line end at pos (CR LF counts as one).
qsizetype skipLineEnd(const QString& text, qsizetype pos) {
    if (text.at(pos) == u'\r' && pos + 1 < text.size() && text.at(pos + 1) == u'\n')
        return pos + 2;
    return pos + 1;
}

} // namespace

QStringList readFields(const QString& text) {
    QStringList fields;
    const qsizetype n = text.size();
    qsizetype pos = 0;
    while (pos < n) {
        while (pos < n && isBlank(text.at(pos)))
            ++pos;
        QString field;
        if (pos < n && text.at(pos) == u'"') {
            const qsizetype close = text.indexOf(u'"', pos + 1);
            const qsizetype end = close < 0 ? n : close;
            field = text.mid(pos + 1, end - pos - 1);
            pos = close < 0 ? n : close + 1;
            while (pos < n && text.at(pos) != u',' && !isLineEnd(text.at(pos)))
                ++pos;
        } else {
            const qsizetype start = pos;
            while (pos < n && text.at(pos) != u',' && !isLineEnd(text.at(pos)))
                ++pos;
            qsizetype end = pos;
            while (end > start && isBlank(text.at(end - 1)))
                --end;
            field = text.mid(start, end - start);
        }
        fields.append(field);
        if (pos >= n)
            break;
        if (text.at(pos) == u',') {
            ++pos;
            // A comma right before a line end (or the end) leaves one more, empty field.
            qsizetype look = pos;
            while (look < n && isBlank(text.at(look)))
                ++look;
            if (look >= n || isLineEnd(text.at(look))) {
                fields.append(QString());
                pos = look < n ? skipLineEnd(text, look) : n;
            }
        } else {
            pos = skipLineEnd(text, pos);
        }
    }
    return fields;
}

QStringList readFieldsFromBytes(const QByteArray& bytes) {
    return readFields(decodeTextFile(bytes));
}

std::optional<QStringList> readDataFile(const QString& path, qint64 maxBytes) {
    QFile file(path);
    if (!openRegularFile(file))
        return std::nullopt;
    return readFieldsFromBytes(file.read(maxBytes));
}

QStringList themeNames(const QStringList& fields) {
    QStringList names;
    for (const QString& field : fields) {
        if (!trimBlanks(field).isEmpty())
            names.append(field);
    }
    return names;
}

} // namespace quorra
