#include "wizard/MainWindow.h"

#include "despatch/DespatchList.h"
#include "despatch/SummaryLines.h"
#include "entry/TextRules.h"

#include <QComboBox>
#include <QDir>
#include <QPushButton>

// The despatch list of the last step and the printed summary.

namespace quorra {

using namespace Qt::StringLiterals;

namespace {

PictureFields pictureFields(const MainWindow& w) {
    PictureFields p;
    p.logo = w.fieldText(u"txtCompanyLogo");
    p.picture1 = w.fieldText(u"txtPicture1");
    p.picture2 = w.fieldText(u"txtPicture2");
    for (int n = 1; n <= 5; ++n)
        p.products[n - 1] = w.fieldText(QString(u"txtProPicture"_s + QString::number(n)));
    return p;
}

} // namespace

void MainWindow::FillDespatchList() {
    setFieldText(u"txtDespatch", despatchList(QDir::toNativeSeparators(pageFile()), pictureFields(*this)));
}

void MainWindow::PrintSummary() {
    SummaryInput input;
    const int index = m_cboTheme->currentIndex();
    input.themeEntry = index >= 0 ? m_cboTheme->itemText(index) : m_cboTheme->currentText();
    input.companyName = fieldText(u"txtCompanyName");
    input.companyAddress = fieldText(u"txtCompanyAddress");
    input.telephone = fieldText(u"txtCompanyTelephone");
    input.fax = fieldText(u"txtCompanyFax");
    input.contactName = fieldText(u"txtContactName");
    input.email = fieldText(u"txtEmailAddress");
    input.pageFile = QDir::toNativeSeparators(pageFile());
    input.pictures = pictureFields(*this);

    PrinterService& printer = m_services.printer;
    bool ok = true;
    for (const QString& line : summaryLines(input)) {
        if (!printer.printLine(line)) {
            ok = false;
            break;
        }
    }
    ok = ok && printer.endDocument();
    const QString title = QString::fromUtf16(texts::AppTitle);
    if (!ok) {
        printer.abortDocument();
        m_services.messages.show(title, u"There was a problem printing to your printer."_s,
                                 MessageButtons::Ok, MessageIcon::None);
        return;
    }
    m_services.messages.show(
        title,
        u"A list of files required by us to create your e-commerce web page have been sent to your printer."_s +
            CrLf + CrLf +
            u"You must now save these files to disk and post them to the address detailed on the print out or email them to us."_s,
        MessageButtons::Ok, MessageIcon::None);
}

void MainWindow::cmdPrint_Click() {
    takeFocus(m_cmdPrint);
    PrintSummary();
    m_summaryPrinted = true;
}

} // namespace quorra
