#include "despatch/SummaryLines.h"

#include "entry/TextRules.h"

namespace quorra {

using namespace Qt::StringLiterals;

QStringList summaryLines(const SummaryInput& input) {
    const PictureFields& p = input.pictures;
    const QString empty;
    return {
        empty,
        empty,
        u"Q U O R R A  D E V E L O P M E N T  W I Z A R D"_s,
        empty,
        empty,
        u"You have input the following data:"_s,
        empty,
        empty,
        empty,
        u"You selected the "_s + input.themeEntry + u" template"_s,
        u"Company Name      :"_s + trimBlanks(input.companyName),
        u"Company Address   :"_s + trimBlanks(input.companyAddress),
        u"Company Telephone :"_s + trimBlanks(input.telephone),
        u"Company Fax       :"_s + trimBlanks(input.fax),
        u"Contact Name  :"_s + trimBlanks(input.contactName),
        u"Email address :"_s + trimBlanks(input.email),
        empty,
        empty,
        u"You must depatch the following files to the address below by either email or post."_s,
        empty,
        empty,
        u"Email : "_s + QString::fromUtf16(ServiceEmail),
        empty,
        u"Postal Address"_s,
        u"Marlix Networks"_s,
        QString::fromUtf16(ServicePostalAddress),
        empty,
        empty,
        u"Program created file :"_s + input.pageFile,
        empty,
        u"Company Logo         :"_s + trimBlanks(p.logo),
        u"Additional image 1   :"_s + trimBlanks(p.picture1),
        u"Additional image 2   :"_s + trimBlanks(p.picture2),
        empty,
        u"Product Picture 1    :"_s + trimBlanks(p.products[0]),
        u"Product Picture 2    :"_s + trimBlanks(p.products[1]),
        u"Product Picture 3    :"_s + trimBlanks(p.products[2]),
        u"Product Picture 4    :"_s + trimBlanks(p.products[3]),
        u"Product Picture 5    :"_s + trimBlanks(p.products[4]),
        empty,
        empty,
        u"Please read the section of the manual titled PUBLISHING before sending the information to Marlix Networks."_s,
    };
}

} // namespace quorra
