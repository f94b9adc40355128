#include "entry/TextRules.h"

namespace quorra {

QString trimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == u' ')
        ++first;
    while (last > first && text.at(last - 1) == u' ')
        --last;
    return text.mid(first, last - first);
}

QString toCrLf(const QString& widgetText) {
    QString out;
    out.reserve(widgetText.size() + widgetText.size() / 16);
    for (qsizetype i = 0; i < widgetText.size(); ++i) {
        const QChar c = widgetText.at(i);
        if (c == u'\r') {
            out += u"\r\n";
            if (i + 1 < widgetText.size() && widgetText.at(i + 1) == u'\n')
                ++i;
        } else if (c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator) {
            out += u"\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

QString fromCrLf(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r') {
            out += u'\n';
            if (i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

QString themeFileStem(const QString& theme) {
    return theme.left(7);
}

} // namespace quorra
