#include "wizard/MainWindow.h"

#include "entry/PaymentFragments.h"
#include "entry/TextRules.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>

// The handlers of the entry fields: the theme box, the VAT and postage options, the amount
// and the picture buttons.

namespace quorra {

using namespace Qt::StringLiterals;

void MainWindow::cboTheme_LostFocus() {
    // Typed text that names no theme leaves the chosen theme as it was, and the box shows
    // that theme again, so what the user sees is what is used.
    const int typed =
        m_cboTheme->findText(m_cboTheme->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (typed >= 0) {
        m_cboTheme->setCurrentIndex(typed);
        m_selectedTheme = m_cboTheme->itemText(typed);
        return;
    }
    const int chosen = m_cboTheme->findText(m_selectedTheme, Qt::MatchExactly | Qt::MatchCaseSensitive);
    m_cboTheme->setCurrentIndex(chosen);
    m_cboTheme->setEditText(m_selectedTheme);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // The editable theme box would take Alt with a letter as typed text; let the access
    // keys of the buttons have it.
    if (watched == m_cboTheme && event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & Qt::AltModifier) && !(key->modifiers() & Qt::ControlModifier)) {
            event->ignore();
            return true;
        }
    }
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        if (watched == m_cboTheme)
            cboTheme_LostFocus();
        else if (watched == field(u"txtAmount")->widget())
            txtAmount_LostFocus();
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::vatNo_Click() {
    setFieldText(u"txtVAT", vatFragment(false));
}

void MainWindow::vatYes_Click() {
    setFieldText(u"txtVAT", vatFragment(true));
}

void MainWindow::optItem_Click() {
    setFieldText(u"txtPostage", postageFragment(PostageType::Item, fieldText(u"txtAmount")));
}

void MainWindow::OptShipment_Click() {
    setFieldText(u"txtPostage", postageFragment(PostageType::Shipment, fieldText(u"txtAmount")));
}

void MainWindow::txtAmount_LostFocus() {
    if (m_optItem->isChecked())
        optItem_Click();
    else
        OptShipment_Click();
}

// ---------------------------------------------------------------------------------------
// Pictures

QString MainWindow::GetTheImageFile() {
    // "*" shows every file here; "*.*" would hide names without a dot.
    return m_services.fileDialog.chooseFile(u"All Files (*.*)"_s, u"*"_s);
}

void MainWindow::pictureButton_Click(QLatin1StringView fieldName) {
    // Cancelling the dialog keeps the path the field held.
    const QString path = GetTheImageFile();
    if (!path.isEmpty())
        setFieldText(fieldName, path);
}

} // namespace quorra
