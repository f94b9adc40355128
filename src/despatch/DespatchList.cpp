#include "despatch/DespatchList.h"

#include "entry/TextRules.h"

#include <QStringList>

namespace quorra {

using namespace Qt::StringLiterals;

QString despatchList(const QString& pageFile, const PictureFields& pictures) {
    const QStringList lines{
        u"The following files need to be despatched by either email or posted on a floppy disk:"_s,
        QString(),
        u"Theme File        "_s + pageFile,
        u"Company Logo      "_s + trimBlanks(pictures.logo),
        u"Add. Picture 1    "_s + trimBlanks(pictures.picture1),
        u"Add. Picture 2    "_s + trimBlanks(pictures.picture2),
        u"Product Picture 1 "_s + trimBlanks(pictures.products[0]),
        u"Product Picture 2 "_s + trimBlanks(pictures.products[1]),
        u"Product Picture 3 "_s + trimBlanks(pictures.products[2]),
        u"Product Picture 4 "_s + trimBlanks(pictures.products[3]),
        u"Product Picture 5 "_s + trimBlanks(pictures.products[4]),
        QString(),
        u"Consult the PUBLISHING section in the manual for further details."_s,
    };
    return lines.join(u"\r\n"_s);
}

} // namespace quorra
