#include "wizard/widgets/PanelStyle.h"

#include <QPainter>
#include <QStyleOptionGroupBox>

namespace quorra {

namespace {

constexpr int LineWidth = 2;     // an etched line: a dark and a light one
constexpr int CaptionIndent = 6; // where the caption starts on the line
constexpr int CaptionGap = 2;    // free space on either side of the caption

} // namespace

QRect PanelStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                                 const QWidget* widget) const {
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || !box)
        return QProxyStyle::subControlRect(control, option, part, widget);
    const int captionHeight = box->fontMetrics.height();
    const QRect frame = box->rect.adjusted(0, captionHeight / 2, 0, 0);
    switch (part) {
    case SC_GroupBoxFrame:
        return frame;
    case SC_GroupBoxContents:
        return frame.adjusted(LineWidth, LineWidth, -LineWidth, -LineWidth);
    case SC_GroupBoxLabel:
        return {box->rect.left() + CaptionIndent, box->rect.top(),
                box->fontMetrics.horizontalAdvance(box->text) + 2 * CaptionGap, captionHeight};
    default:
        return {};
    }
}

void PanelStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                    QPainter* painter, const QWidget* widget) const {
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || !box) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const QRect frame = subControlRect(control, option, SC_GroupBoxFrame, widget);
    const QRect caption = subControlRect(control, option, SC_GroupBoxLabel, widget);
    painter->save();
    if (!box->text.isEmpty())
        painter->setClipRegion(QRegion(box->rect).subtracted(caption));
    painter->setPen(box->palette.color(QPalette::Light));
    painter->drawRect(frame.adjusted(1, 1, -1, -1));
    painter->setPen(box->palette.color(QPalette::Mid));
    painter->drawRect(frame.adjusted(0, 0, -2, -2));
    painter->restore();
    drawItemText(painter, caption.adjusted(CaptionGap, 0, -CaptionGap, 0),
                 Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, box->palette,
                 box->state & State_Enabled, box->text, QPalette::WindowText);
}

} // namespace quorra
