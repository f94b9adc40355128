#pragma once

#include <QLatin1StringView>
#include <QString>

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

// The table rows of one product: a rule, then the picture cell and the text cell with the
// code, the description and the quantity box. The texts go in as given (neither trimmed
// nor escaped). Product 1's cells carry the widths 200 and 400; the others carry none.
QString productRow(int product, const QString& code, const QString& description, const QString& price,
                   const QString& picture);

} // namespace quorra
