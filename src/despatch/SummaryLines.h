#pragma once

#include "despatch/DespatchList.h"

#include <QString>
#include <QStringList>

namespace quorra {

// Where the service that builds the shop takes the files.
inline constexpr char16_t ServiceEmail[] = u"pages@marlix.example.com";
inline constexpr char16_t ServicePostalAddress[] = u"Marlix House, 12 Example Road, Exampleton EX1 2MP";

// What the printed summary shows, read from the window when printing starts.
struct SummaryInput {
    QString themeEntry; // printed as it stands
    QString companyName;
    QString companyAddress;
    QString telephone;
    QString fax;
    QString contactName;
    QString email;
    QString pageFile;
    PictureFields pictures;
};

// The 42 lines of the printed summary. Field texts are trimmed of blanks; a multi-line
// address stays one entry with its CR LF line breaks.
QStringList summaryLines(const SummaryInput& input);

} // namespace quorra
