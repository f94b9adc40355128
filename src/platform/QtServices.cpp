#include "platform/QtServices.h"

#include "entry/TextRules.h"
#include "entry/widgets/DialogFont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

namespace quorra {

MessageAnswer QtMessageService::show(const QString& title, const QString& text, MessageButtons buttons,
                                     MessageIcon icon, MessageAnswer onEscape) {
    QWidget* parent = QApplication::activeWindow();
    if (!parent) {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && w->windowType() != Qt::SplashScreen && w->isWindow()) {
                parent = w;
                break;
            }
        }
    }
    const QMessageBox::Icon boxIcon = icon == MessageIcon::Question      ? QMessageBox::Question
                                      : icon == MessageIcon::Information ? QMessageBox::Information
                                                                         : QMessageBox::NoIcon;
    const QMessageBox::StandardButtons boxButtons =
        buttons == MessageButtons::YesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok;
    QMessageBox box(boxIcon, title, fromCrLf(text), boxButtons, parent);
    box.setTextFormat(Qt::PlainText);
    if (buttons == MessageButtons::YesNo) {
        box.setDefaultButton(QMessageBox::Yes);
        if (onEscape == MessageAnswer::Yes) {
            box.setEscapeButton(QMessageBox::Yes);
        } else if (onEscape == MessageAnswer::No) {
            box.setEscapeButton(QMessageBox::No);
        } else {
            // Escape and the close button press a button nobody sees: no answer is given.
            box.addButton(QMessageBox::Cancel)->hide();
            box.setEscapeButton(QMessageBox::Cancel);
        }
    }
    box.setFont(dialogFont()); // the font of the wizard window
    // The window manager cuts a title wider than the box: make room for it and the frame's
    // icon and buttons.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
        titleFont.setBold(true);
        const int width = QFontMetrics(titleFont).horizontalAdvance(title) + TitleDecorationWidth;
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(),
                      0, 1, grid->columnCount());
    }
    if (!parent) {
        // While the splash is up there is no window to stand on: keep the box above it.
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    }
    const int result = box.exec();
    switch (result) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Dismissed;
    default:
        return buttons == MessageButtons::YesNo ? onEscape : MessageAnswer::Ok;
    }
}

void QtCursorService::setWaitCursor() {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    ++m_depth;
}

void QtCursorService::restoreCursor() {
    if (m_depth == 0)
        return;
    QGuiApplication::restoreOverrideCursor();
    --m_depth;
}

} // namespace quorra
