#include "entry/PaymentFragments.h"

#include "entry/AmountFormat.h"

namespace quorra {

using namespace Qt::StringLiterals;

QString vatFragment(bool registered) {
    if (!registered)
        return u"<input type=hidden name=\"VATReg\" value=\"no\">"_s;
    return u"<tr><td colspan=2 align=center><font face=\"verdana, tahoma, arial, sans serif\" size=2>"
           "<b>All prices exclude V.A.T. @ 17.5% <input type=hidden name=\"VATReg\" value=\"yes\"></b>"
           "</font></td></tr>"_s;
}

QString postageFragment(PostageType type, const QString& amountText) {
    const QString amount = formatAmount(amountText);
    const bool item = type == PostageType::Item;
    QString out = item ? u"<input type=hidden name=\"postage_type\" value=\"item\">"_s
                       : u"<input type=hidden name=\"postage_type\" value=\"shipment\">"_s;
    out += u"<input type=hidden name=\"postage_amt\" value=\""_s;
    out += amount;
    out += u"\">Postage is charged at \u00a3"_s;
    out += amount;
    out += item ? u" per item."_s : u" per shipment."_s;
    return out;
}

} // namespace quorra
