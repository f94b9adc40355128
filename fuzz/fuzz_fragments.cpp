// Fuzzes the page fragments the program lays out itself: the product rows and purchase
// fields, the credit card images, and the VAT and postage terms.
//
// Input layout (FuzzedDataProvider): from the end, one byte of flags (bits 0 to 2: the
// product; bit 3: VAT registered; bit 4: postage per shipment; bit 5: texts are UTF-16).
// From the front, each ended by a backslash and one other character: the product's code,
// description, price and picture, the postage amount as typed, then credit card entries.
//
// Laws: a row holds its texts as they stand; the purchase field is the row, or empty for
// a blank code; the postage term holds the amount as formatted; an entry names a card
// only when it spells the card's name; the page's hidden fields are the cards accepted
// and each product's purchase field.

#include "FuzzInput.h"

#include "entry/AmountFormat.h"
#include "entry/PaymentFragments.h"
#include "entry/TextRules.h"
#include "page/PageFragments.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

using fuzzinput::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::uint8_t flags = input.ConsumeIntegral<std::uint8_t>();
    const int product = 1 + (flags & 7) % 5;
    const bool utf16 = flags & 32;
    const auto text = [&](std::size_t most) {
        return fuzzinput::inputText(input.ConsumeRandomLengthString(most), utf16);
    };
    const QString code = text(64);
    const QString description = text(200);
    const QString price = text(32);
    const QString picture = text(100);
    const QString amount = text(40);
    QStringList entries;
    while (input.remaining_bytes() > 0)
        entries.append(text(24));

    const QString row = quorra::productRow(product, code, description, price, picture);
    for (const QString* part : {&code, &description, &price, &picture})
        check(row.contains(*part), "a product row holds its texts as they stand");
    const QString purchase = quorra::purchaseText(product, code, description, price, picture);
    check(purchase == (quorra::trimBlanks(code).isEmpty() ? QString() : row),
          "the purchase field is the row, or empty when the code is blank");

    const auto type = flags & 16 ? quorra::PostageType::Shipment : quorra::PostageType::Item;
    check(quorra::postageFragment(type, amount).contains(quorra::formatAmount(amount)),
          "the postage term holds the amount as formatted");
    check(quorra::vatFragment(flags & 8) != quorra::vatFragment(!(flags & 8)),
          "the VAT term tells registered");

    for (const QString& entry : entries) {
        const quorra::CardImage* card = quorra::cardForEntry(entry);
        check(!card || quorra::trimBlanks(entry) == card->card, "an entry names a card only by its name");
    }
    const auto cards = quorra::cardImages();
    for (const quorra::CardImage& card : cards)
        check(quorra::cardForEntry(u' ' + QString(card.card) + u' ') == &card, "each card's name names it");

    const auto fieldText = [&](const QString& name) {
        return name == QStringLiteral("txtProCode%1").arg(product)      ? code
               : name == QStringLiteral("txtProDesc%1").arg(product)    ? description
               : name == QStringLiteral("txtProPrice%1").arg(product)   ? price
               : name == QStringLiteral("txtProPicture%1").arg(product) ? picture
                                                                        : QString();
    };
    const QList<quorra::PageField> fragments = quorra::pageFragments(fieldText, entries);
    check(fragments.size() == qsizetype(cards.size()) + 5,
          "the hidden fields are the cards' and the purchases'");
    for (std::size_t i = 0; i < cards.size(); ++i) {
        bool accepted = false;
        for (const QString& entry : entries)
            accepted = accepted || quorra::cardForEntry(entry) == &cards[i];
        check(fragments[qsizetype(i)].name == cards[i].field &&
                  fragments[qsizetype(i)].text == (accepted ? QString(cards[i].tag) : QString()),
              "a card's field holds its image only when an entry names the card");
    }
    check(fragments[qsizetype(cards.size()) + product - 1].text == purchase, "the product's purchase field");
    return 0;
}
