// Fuzzes the comma-delimited field reader of the help file and the theme catalogue.
//
// The input is a data file's bytes; taken two at a time as UTF-16 they also make text
// with any character, lone surrogates included.
//
// Laws: a file reads as its decoded text; plain fields joined by commas read back as
// they were; theme names are the fields that are not blank, in order.

#include "FuzzInput.h"

#include "entry/TextRules.h"
#include "page/Cp1252.h"
#include "wizard/FieldReader.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>

using fuzzinput::check;

namespace {

QString withoutOuterBlanks(QString text) {
    while (!text.isEmpty() && (text.front() == u' ' || text.front() == u'\t'))
        text.remove(0, 1);
    while (!text.isEmpty() && (text.back() == u' ' || text.back() == u'\t'))
        text.chop(1);
    return text;
}

// Fields without commas, quotes, line ends and outer blanks, made from the text's pieces
// between '|'.
QStringList plainFields(QString text) {
    for (const QChar c : {u',', u'"', u'\r', u'\n'})
        text.remove(c);
    QStringList fields = text.split(u'|');
    for (QString& field : fields)
        field = withoutOuterBlanks(field);
    return fields;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList fileFields = quorra::readFieldsFromBytes(bytes);
    check(fileFields == quorra::readFields(quorra::decodeTextFile(bytes)),
          "a file reads as its decoded text");

    const QString text = fuzzinput::utf16Text(bytes);
    const QStringList textFields = quorra::readFields(text);
    for (const QStringList* fields : {&fileFields, &textFields}) {
        const QStringList names = quorra::themeNames(*fields);
        qsizetype next = 0;
        for (const QString& field : *fields) {
            if (!quorra::trimBlanks(field).isEmpty())
                check(next < names.size() && names[next++] == field,
                      "theme names keep every field not blank");
        }
        check(next == names.size(), "theme names are only the fields not blank");
    }

    const QStringList plain = plainFields(text);
    if (plain.join(u',').isEmpty())
        return 0;
    check(quorra::readFields(plain.join(u',')) == plain, "plain fields joined by commas read back");
    check(quorra::readFields(plain.join(u',') + QStringLiteral("\r\n")) == plain,
          "a last line end adds nothing");
    return 0;
}
