// Fuzzes the page fragments the program lays out itself: the product rows and purchase
// fields, the credit card images, and the VAT and postage terms.
//
// Input layout (FuzzedDataProvider): from the end, one byte of flags (bits 0 to 2: the
// product, 1 to 5 and 0 for an out-of-range 0; bit 3: VAT registered; bit 4: postage per
// shipment; bit 5: texts are UTF-16) and one byte per card entry (see cardEntry). From
// the front, each ended by a backslash and one other character: the product's code,
// description, price and picture, the postage amount as typed, then up to four card
// entries; an entry's bytes are its own text when its byte says so.

#include "FuzzSupport.h"

#include "entry/PaymentFragments.h"
#include "page/PageFragments.h"

#include <QStringList>

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>

using namespace fuzzsupport;

namespace {

struct ReferenceCard {
    const char* name;
    const char* field;
    const char* tag;
};

// The cards, in the order their fields are emptied before each page.
constexpr std::array<ReferenceCard, 5> Cards{{
    {"Access", "txtAccess", "<img src=\"images/access.gif\" border=0>"},
    {"Visa", "txtVisa", "<img src=\"images/visa.gif\" border=0>"},
    {"Delta", "txtDelta", "<img src=\"images/delta.gif\" border=0>"},
    {"Switch", "txtSwitch", "<img src=\"images/switch.gif\" border=0>"},
    {"Amex", "txtAmex", "<img src=\"images/amex.gif\" border=0>"},
}};

// The row of a product: the pieces of the rule joined with nothing between them.
QString referenceRow(int product, const QString& code, const QString& description, const QString& price,
                     const QString& picture) {
    const bool first = product == 1;
    const QStringList pieces{
        QStringLiteral("<tr><td colspan=2><hr size=2 width=100%></td></tr>"),
        QStringLiteral("<tr>"),
        first ? QStringLiteral("<td width=200 valign=top><img src=\"")
              : QStringLiteral("<td valign=top><img src=\""),
        picture,
        QStringLiteral("\" border=0></td>"),
        first ? QStringLiteral("<td width=400 valign=top>") : QStringLiteral("<td valign=top>"),
        QStringLiteral("<font face=\"verdana, tahoma, arial, sans serif\" size=2>"),
        QStringLiteral("<b>Product Code : "),
        code,
        QStringLiteral("</b><br>"),
        description,
        QStringLiteral("<br>"),
        QStringLiteral("<b>Quantity required : <input type=text name=\""),
        code,
        QStringLiteral("|Goods|"),
        price,
        QStringLiteral("|Description\" size=3 maxlength=6> @ ") + QChar(0xA3),
        price,
        QStringLiteral(" each</b>"),
        QStringLiteral("</font>"),
        QStringLiteral("</td>"),
        QStringLiteral("</tr>"),
    };
    return pieces.join(QString());
}

QString referenceVat(bool registered) {
    return registered ? QStringLiteral("<tr><td colspan=2 align=center><font face=\"verdana, tahoma, arial, "
                                       "sans serif\" size=2><b>All prices exclude V.A.T. @ 17.5% <input "
                                       "type=hidden name=\"VATReg\" value=\"yes\"></b></font></td></tr>")
                      : QStringLiteral("<input type=hidden name=\"VATReg\" value=\"no\">");
}

QString referencePostage(bool perShipment, const QString& amountText) {
    const QString word = perShipment ? QStringLiteral("shipment") : QStringLiteral("item");
    const QString amount = expectedAmount(amountText);
    return QStringLiteral("<input type=hidden name=\"postage_type\" value=\"") + word +
           QStringLiteral("\">") + QStringLiteral("<input type=hidden name=\"postage_amt\" value=\"") +
           amount + QStringLiteral("\">") + QStringLiteral("Postage is charged at ") + QChar(0xA3) + amount +
           QStringLiteral(" per ") + word + QStringLiteral(".");
}

// The card an entry names: the entry without its leading and trailing spaces is the card's
// name, letter case counting. -1 for none.
int referenceCard(const QString& entry) {
    const QString name = trimSpaces(entry);
    for (std::size_t i = 0; i < Cards.size(); ++i) {
        if (name == QLatin1String(Cards[i].name))
            return int(i);
    }
    return -1;
}

// A credit card list entry: the entry's own text (pick 0xF0 and above), or a card's name
// (pick % 5) with, by the pick's bits, one letter's case changed, spaces or another blank
// before and after.
QString cardEntry(std::uint8_t pick, const QString& own) {
    if (pick >= 0xF0)
        return own;
    QString name = QLatin1String(Cards[pick % Cards.size()].name);
    const int bits = pick / int(Cards.size());
    if (bits & 1) {
        const qsizetype at = own.size() % name.size();
        const QChar c = name[at];
        name[at] = c.isUpper() ? c.toLower() : c.toUpper();
    }
    static constexpr std::array<char16_t, 4> Blanks{u' ', u'\t', u'\u00A0', u'\n'};
    const QString before((bits >> 1) & 3, QChar(u' '));
    const QString after =
        (bits >> 3) & 1 ? QString(QChar(Blanks[own.size() % Blanks.size()])) + u' ' : QString();
    return before + name + after;
}

void report(const char* property, const QString& value, const QString& expected) {
    note("result", escaped(QStringView(value), 2000));
    note("expected", escaped(QStringView(expected), 2000));
    fail(property);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::uint8_t flags = input.ConsumeIntegral<std::uint8_t>();
    const int product = (flags & 7) > 5 ? (flags & 7) - 5 : flags & 7;
    const bool registered = flags & 8;
    const bool perShipment = flags & 16;
    const bool utf16 = flags & 32;
    std::array<std::uint8_t, 4> picks{};
    for (std::uint8_t& pick : picks)
        pick = input.ConsumeIntegral<std::uint8_t>();

    const QString code = inputText(input.ConsumeRandomLengthString(64), utf16);
    const QString description = inputText(input.ConsumeRandomLengthString(200), utf16);
    const QString price = inputText(input.ConsumeRandomLengthString(32), utf16);
    const QString picture = inputText(input.ConsumeRandomLengthString(100), utf16);
    const QString amount = inputText(input.ConsumeRandomLengthString(40), utf16);

    // The product row, as it stands, and the purchase field, empty for a blank code.
    const QString row = quorra::productRow(product, code, description, price, picture);
    const QString wantRow = referenceRow(product, code, description, price, picture);
    if (row != wantRow) {
        note("product", QByteArray::number(product));
        report("a product row is the rule's pieces with the texts as they stand", row, wantRow);
    }
    const QString purchase = quorra::purchaseText(product, code, description, price, picture);
    const QString wantPurchase = trimSpaces(code).isEmpty() ? QString() : wantRow;
    if (purchase != wantPurchase) {
        note("code", escaped(QStringView(code)));
        report("the purchase field is the row, or empty when the code is blank", purchase, wantPurchase);
    }

    // The VAT and postage terms.
    const QString vat = quorra::vatFragment(registered);
    if (vat != referenceVat(registered))
        report("the VAT fragment is the rule's text", vat, referenceVat(registered));
    const QString postage = quorra::postageFragment(
        perShipment ? quorra::PostageType::Shipment : quorra::PostageType::Item, amount);
    const QString wantPostage = referencePostage(perShipment, amount);
    if (postage != wantPostage) {
        note("amount", escaped(QStringView(amount)));
        report("the postage fragment is the type, the amount twice and the sentence", postage, wantPostage);
    }

    // The card table and the card each list entry names.
    const auto cards = quorra::cardImages();
    if (cards.size() != Cards.size())
        fail("there are five cards");
    for (std::size_t i = 0; i < Cards.size(); ++i) {
        if (cards[i].card != QLatin1String(Cards[i].name) ||
            cards[i].field != QLatin1String(Cards[i].field) || cards[i].tag != QLatin1String(Cards[i].tag)) {
            note("card", QByteArray(Cards[i].name));
            report("each card has its field and image tag, in emptying order", QString(cards[i].tag),
                   QLatin1String(Cards[i].tag));
        }
    }
    for (const std::uint8_t pick : picks) {
        if (input.remaining_bytes() == 0)
            break;
        const QString entry = cardEntry(pick, inputText(input.ConsumeRandomLengthString(24), utf16));
        const quorra::CardImage* card = quorra::cardForEntry(entry);
        const int want = referenceCard(entry);
        const int got = card ? int(card - cards.data()) : -1;
        if (got != want) {
            note("entry", escaped(QStringView(entry)));
            note("card", got < 0 ? QByteArray("(none)") : QByteArray(Cards[std::size_t(got)].name));
            note("expected", want < 0 ? QByteArray("(none)") : QByteArray(Cards[std::size_t(want)].name));
            fail("an entry names the card its text without blanks around it spells exactly");
        }
    }
    return 0;
}
