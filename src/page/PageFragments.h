#pragma once

#include "page/PageSubstituter.h"

#include <QLatin1StringView>
#include <QString>
#include <QStringList>

#include <functional>

#include <span>

namespace quorra {

// One credit card the page can show: its entry in the card list, the hidden field that
// carries its image, and the image tag put into that field when the card is accepted.
struct CardImage {
    QLatin1StringView card;
    QLatin1StringView field;
    QLatin1StringView tag;
};

// The five cards, in the order their fields are emptied before each generation.
std::span<const CardImage> cardImages();

// The card a credit card list entry names: the entry without leading and trailing blanks
// is the card's name exactly, letter case counting. nullptr for any other entry.
const CardImage* cardForEntry(const QString& entry);

// The table rows of one product: a rule, then the picture cell and the text cell with the
// code, the description and the quantity box. The texts go in as given (neither trimmed
// nor escaped). Product 1's cells carry the widths 200 and 400; the others carry none.
QString productRow(int product, const QString& code, const QString& description, const QString& price,
                   const QString& picture);

// The text of product n's purchase field: its row, or the empty text when the code is
// empty or blank (whatever the other texts hold).
QString purchaseText(int product, const QString& code, const QString& description, const QString& price,
                     const QString& picture);

// The generator's ten hidden fields as the entry makes them: the five card fields, in the
// order of cardImages(), each holding its card's image tag when one of acceptedCards names
// it and the empty text otherwise, then txtPurchase1 to txtPurchase5 with each product's
// row. fieldText gives the text of an entry field by name.
QList<PageField> pageFragments(const std::function<QString(const QString&)>& fieldText,
                               const QStringList& acceptedCards);

} // namespace quorra
