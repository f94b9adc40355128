#include "wizard/QtServices.h"

#include "entry/DialogFont.h"
#include "entry/TextRules.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>

namespace quorra {

MessageAnswer QtMessageService::show(const QString& title, const QString& text, MessageButtons buttons,
                                     MessageIcon icon) {
    QWidget* parent = QApplication::activeWindow();
    if (!parent) {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && !(w->windowFlags() & Qt::SplashScreen) && w->isWindow()) {
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
    box.setFont(dialogFont()); // the font of the wizard window
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
    default:
        return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
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
