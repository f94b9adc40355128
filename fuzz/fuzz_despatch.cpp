// Fuzzes the despatch list and the lines of the printed summary against plain references
// built from their labels and widths.
//
// Input layout (FuzzedDataProvider): one byte from the end, bit 0 set for UTF-16 texts;
// from the front, each ended by a backslash and one other character: the page file, the
// theme entry, the company name, address, telephone and fax, the contact name, the e-mail
// address, the logo, the two additional pictures and the five product pictures.

#include "FuzzSupport.h"

#include "despatch/DespatchList.h"
#include "despatch/SummaryLines.h"

#include <QStringList>

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

using namespace fuzzsupport;

namespace {

// A label padded with spaces to its width.
QString padded(const char* word, qsizetype width) {
    QString label = QString::fromLatin1(word);
    while (label.size() < width)
        label += u' ';
    return label;
}

// A summary label: the words, spaces, and a colon as the last of its width.
QString colonLabel(const char* word, qsizetype width) {
    return padded(word, width - 1) + u':';
}

QString referenceDespatchList(const QString& pageFile, const quorra::PictureFields& p) {
    const QStringList lines{
        QStringLiteral(
            "The following files need to be despatched by either email or posted on a floppy disk:"),
        QString(),
        padded("Theme File", 18) + pageFile,
        padded("Company Logo", 18) + trimSpaces(p.logo),
        padded("Add. Picture 1", 18) + trimSpaces(p.picture1),
        padded("Add. Picture 2", 18) + trimSpaces(p.picture2),
        padded("Product Picture 1", 18) + trimSpaces(p.products[0]),
        padded("Product Picture 2", 18) + trimSpaces(p.products[1]),
        padded("Product Picture 3", 18) + trimSpaces(p.products[2]),
        padded("Product Picture 4", 18) + trimSpaces(p.products[3]),
        padded("Product Picture 5", 18) + trimSpaces(p.products[4]),
        QString(),
        QStringLiteral("Consult the PUBLISHING section in the manual for further details."),
    };
    return lines.join(QStringLiteral("\r\n"));
}

QStringList referenceSummary(const quorra::SummaryInput& in) {
    const quorra::PictureFields& p = in.pictures;
    QStringList lines(42);
    lines[2] = QStringLiteral("Q U O R R A  D E V E L O P M E N T  W I Z A R D");
    lines[5] = QStringLiteral("You have input the following data:");
    lines[9] = QStringLiteral("You selected the ") + in.themeEntry + QStringLiteral(" template");
    lines[10] = colonLabel("Company Name", 19) + trimSpaces(in.companyName);
    lines[11] = colonLabel("Company Address", 19) + trimSpaces(in.companyAddress);
    lines[12] = colonLabel("Company Telephone", 19) + trimSpaces(in.telephone);
    lines[13] = colonLabel("Company Fax", 19) + trimSpaces(in.fax);
    lines[14] = colonLabel("Contact Name", 15) + trimSpaces(in.contactName);
    lines[15] = colonLabel("Email address", 15) + trimSpaces(in.email);
    lines[18] =
        QStringLiteral("You must depatch the following files to the address below by either email or post.");
    lines[21] = QStringLiteral("Email : ") + QString::fromUtf16(quorra::ServiceEmail);
    lines[23] = QStringLiteral("Postal Address");
    lines[24] = QStringLiteral("Marlix Networks");
    lines[25] = QString::fromUtf16(quorra::ServicePostalAddress);
    lines[28] = colonLabel("Program created file", 22) + in.pageFile;
    lines[30] = colonLabel("Company Logo", 22) + trimSpaces(p.logo);
    lines[31] = colonLabel("Additional image 1", 22) + trimSpaces(p.picture1);
    lines[32] = colonLabel("Additional image 2", 22) + trimSpaces(p.picture2);
    for (int n = 0; n < 5; ++n) {
        lines[34 + n] =
            colonLabel(("Product Picture " + std::to_string(n + 1)).c_str(), 22) + trimSpaces(p.products[n]);
    }
    lines[41] = QStringLiteral("Please read the section of the manual titled PUBLISHING before sending the "
                               "information to Marlix Networks.");
    return lines;
}

bool hasLineBreak(const QString& text) {
    return text.contains(u'\r') || text.contains(u'\n');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const bool utf16 = input.ConsumeIntegral<std::uint8_t>() & 1;
    const auto text = [&] { return inputText(input.ConsumeRandomLengthString(80), utf16); };

    quorra::SummaryInput in;
    in.pageFile = text();
    in.themeEntry = text();
    in.companyName = text();
    in.companyAddress = text();
    in.telephone = text();
    in.fax = text();
    in.contactName = text();
    in.email = text();
    in.pictures.logo = text();
    in.pictures.picture1 = text();
    in.pictures.picture2 = text();
    for (QString& product : in.pictures.products)
        product = text();

    const QString list = quorra::despatchList(in.pageFile, in.pictures);
    const QString wantList = referenceDespatchList(in.pageFile, in.pictures);
    if (list != wantList) {
        note("despatch list", escaped(QStringView(list), 3000));
        note("expected", escaped(QStringView(wantList), 3000));
        fail("the despatch list is its 13 lines, labels of 18 characters, paths trimmed of spaces");
    }
    // Without line breaks in the texts, the list is 13 CR LF-separated lines with no line
    // end after the last.
    bool breaks = hasLineBreak(in.pageFile);
    for (const QString* path : {&in.pictures.logo, &in.pictures.picture1, &in.pictures.picture2})
        breaks = breaks || hasLineBreak(*path);
    for (const QString& product : in.pictures.products)
        breaks = breaks || hasLineBreak(product);
    if (!breaks &&
        (list.count(QStringLiteral("\r\n")) != 12 || list.count(u'\r') != 12 || list.count(u'\n') != 12)) {
        note("despatch list", escaped(QStringView(list), 3000));
        fail("the despatch list has 13 lines joined by CR LF");
    }

    const QStringList lines = quorra::summaryLines(in);
    const QStringList want = referenceSummary(in);
    if (lines.size() != want.size()) {
        note("lines", QByteArray::number(lines.size()));
        fail("the summary has 42 lines whatever the fields hold");
    }
    for (qsizetype i = 0; i < want.size(); ++i) {
        if (lines[i] != want[i]) {
            note("line", QByteArray::number(i + 1));
            note("summary", escaped(QStringView(lines[i]), 2000));
            note("expected", escaped(QStringView(want[i]), 2000));
            fail("each summary line is its label and the field trimmed of spaces");
        }
    }
    return 0;
}
