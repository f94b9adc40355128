// Fuzzes the despatch list and the lines of the printed summary.
//
// Input layout (FuzzedDataProvider): one byte from the end, bit 0 set for UTF-16 texts;
// from the front, each ended by a backslash and one other character: the page file, the
// theme entry, the company name, address, telephone and fax, the contact name, the e-mail
// address, the logo, the two additional pictures and the five product pictures.
//
// Laws: the list names every file trimmed of blanks; without line breaks in the texts it
// is 13 lines joined by CR LF; the summary has 42 lines whatever the fields hold.

#include "FuzzInput.h"

#include "despatch/DespatchList.h"
#include "despatch/SummaryLines.h"
#include "entry/TextRules.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

using fuzzinput::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const bool utf16 = input.ConsumeIntegral<std::uint8_t>() & 1;
    const auto text = [&] { return fuzzinput::inputText(input.ConsumeRandomLengthString(80), utf16); };

    quorra::SummaryInput in;
    for (QString* field :
         {&in.pageFile, &in.themeEntry, &in.companyName, &in.companyAddress, &in.telephone, &in.fax,
          &in.contactName, &in.email, &in.pictures.logo, &in.pictures.picture1, &in.pictures.picture2})
        *field = text();
    for (QString& product : in.pictures.products)
        product = text();

    const QString list = quorra::despatchList(in.pageFile, in.pictures);
    QList<const QString*> files{&in.pageFile, &in.pictures.logo, &in.pictures.picture1,
                                &in.pictures.picture2};
    for (const QString& product : in.pictures.products)
        files.append(&product);
    bool breaks = false;
    for (const QString* file : files) {
        check(list.contains(quorra::trimBlanks(*file)),
              "the despatch list names every file, trimmed of blanks");
        breaks = breaks || fuzzinput::hasLineBreak(*file);
    }
    if (!breaks) {
        check(list.count(QStringLiteral("\r\n")) == 12 && list.count(u'\r') == 12 && list.count(u'\n') == 12,
              "the despatch list is 13 lines joined by CR LF");
    }
    check(quorra::summaryLines(in).size() == 42, "the summary has 42 lines whatever the fields hold");
    return 0;
}
