#include "entry/widgets/Controls.h"

#include "entry/widgets/DialogFont.h"

#include <QLabel>

namespace quorra {

QLabel* addLabel(QWidget* parent, const QString& caption, const TwipsRect& rect, bool bold) {
    auto* label = new QLabel(caption, parent);
    label->setTextFormat(Qt::PlainText);
    if (bold)
        label->setFont(dialogFont(true));
    if (rect.width > 0) {
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        QRect r = twipsRect(rect);
        r.setHeight(qMax(r.height(), label->heightForWidth(r.width())));
        label->setGeometry(r);
    } else {
        label->move(twips(rect.left), twips(rect.top));
        label->adjustSize();
    }
    return label;
}

void takeFocus(QWidget* button) {
    if (button && button->isVisible() && !button->hasFocus())
        button->setFocus(Qt::ShortcutFocusReason);
}

} // namespace quorra
