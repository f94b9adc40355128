#pragma once

#include <QProxyStyle>

namespace quorra {

// Draws the step panels as the twips layout expects them: the frame's top edge is the
// panel's top, the line runs through the middle of the caption, and the inside starts
// just within the line, so every control keeps its place inside the frame.
class PanelStyle : public QProxyStyle {
public:
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override;
};

} // namespace quorra
