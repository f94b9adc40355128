#include "page/PageFragments.h"

#include "entry/TextRules.h"

#include <array>

namespace quorra {

namespace {

using namespace Qt::StringLiterals;

constexpr std::array<CardImage, 5> Cards{{
    {"Access"_L1, "txtAccess"_L1, "<img src=\"images/access.gif\" border=0>"_L1},
    {"Visa"_L1, "txtVisa"_L1, "<img src=\"images/visa.gif\" border=0>"_L1},
    {"Delta"_L1, "txtDelta"_L1, "<img src=\"images/delta.gif\" border=0>"_L1},
    {"Switch"_L1, "txtSwitch"_L1, "<img src=\"images/switch.gif\" border=0>"_L1},
    {"Amex"_L1, "txtAmex"_L1, "<img src=\"images/amex.gif\" border=0>"_L1},
}};

} // namespace

std::span<const CardImage> cardImages() {
    return Cards;
}

const CardImage* cardForEntry(const QString& entry) {
    const QString name = trimBlanks(entry);
    for (const CardImage& card : Cards) {
        if (name == card.card)
            return &card;
    }
    return nullptr;
}

QString productRow(int product, const QString& code, const QString& description, const QString& price,
                   const QString& picture) {
    const bool first = product == 1;
    QString row;
    row.reserve(400 + 2 * code.size() + description.size() + 2 * price.size() + picture.size());
    row += "<tr><td colspan=2><hr size=2 width=100%></td></tr>"_L1;
    row += "<tr>"_L1;
    row += first ? "<td width=200 valign=top><img src=\""_L1 : "<td valign=top><img src=\""_L1;
    row += picture;
    row += "\" border=0></td>"_L1;
    row += first ? "<td width=400 valign=top>"_L1 : "<td valign=top>"_L1;
    row += "<font face=\"verdana, tahoma, arial, sans serif\" size=2>"_L1;
    row += "<b>Product Code : "_L1;
    row += code;
    row += "</b><br>"_L1;
    row += description;
    row += "<br>"_L1;
    row += "<b>Quantity required : <input type=text name=\""_L1;
    row += code;
    row += "|Goods|"_L1;
    row += price;
    row += u"|Description\" size=3 maxlength=6> @ \u00a3"_s;
    row += price;
    row += " each</b>"_L1;
    row += "</font>"_L1;
    row += "</td>"_L1;
    row += "</tr>"_L1;
    return row;
}

QString purchaseText(int product, const QString& code, const QString& description, const QString& price,
                     const QString& picture) {
    return trimBlanks(code).isEmpty() ? QString() : productRow(product, code, description, price, picture);
}

QList<PageField> pageFragments(const std::function<QString(const QString&)>& fieldText,
                               const QStringList& acceptedCards) {
    QList<PageField> fragments;
    for (const CardImage& card : Cards)
        fragments.append({QString(card.field), QString()});
    for (const QString& entry : acceptedCards) {
        if (const CardImage* card = cardForEntry(entry))
            fragments[card - Cards.data()].text = QString(card->tag);
    }
    for (int n = 1; n <= 5; ++n) {
        const QString num = QString::number(n);
        fragments.append(
            {u"txtPurchase"_s + num,
             purchaseText(n, fieldText(u"txtProCode"_s + num), fieldText(u"txtProDesc"_s + num),
                          fieldText(u"txtProPrice"_s + num), fieldText(u"txtProPicture"_s + num))});
    }
    return fragments;
}

} // namespace quorra
