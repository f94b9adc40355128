#include "despatch/widgets/DespatchDesk.h"

#include "Identity.h"
#include "despatch/DespatchList.h"
#include "despatch/SummaryLines.h"
#include "entry/TextRules.h"
#include "entry/widgets/Controls.h"
#include "entry/widgets/DialogFont.h"
#include "entry/widgets/EntryForm.h"
#include "page/widgets/PagePublisher.h"

#include <QDir>
#include <QGroupBox>
#include <QPushButton>

namespace quorra {

using namespace Qt::StringLiterals;

namespace {

PictureFields pictureFields(const EntryForm& entry) {
    PictureFields p;
    p.logo = entry.fieldText(u"txtCompanyLogo");
    p.picture1 = entry.fieldText(u"txtPicture1");
    p.picture2 = entry.fieldText(u"txtPicture2");
    for (int n = 1; n <= 5; ++n)
        p.products[n - 1] = entry.fieldText(QString(u"txtProPicture"_s + QString::number(n)));
    return p;
}

} // namespace

DespatchDesk::DespatchDesk(EntryForm& entry, const PagePublisher& publisher, const Services& services,
                           std::function<QString()> themeEntry, QObject* parent)
    : QObject(parent)
    , m_entry(entry)
    , m_publisher(publisher)
    , m_services(services)
    , m_themeEntry(std::move(themeEntry)) {}

void DespatchDesk::buildPrintControls(QGroupBox* panel) {
    m_entry.field(u"txtDespatch")->widget()->setFont(fixedPitchFont());
    m_cmdPrint = new QPushButton(u"&Print Page"_s, panel);
    m_cmdPrint->setObjectName(u"cmdPrint"_s);
    m_cmdPrint->setGeometry(twipsRect(1680, 2760, 1455, 375));
    connect(m_cmdPrint, &QPushButton::clicked, this, &DespatchDesk::cmdPrint_Click);
}

void DespatchDesk::FillDespatchList() {
    m_entry.setFieldText(u"txtDespatch", despatchList(QDir::toNativeSeparators(m_publisher.pageFile()),
                                                      pictureFields(m_entry)));
}

void DespatchDesk::PrintSummary() {
    SummaryInput input;
    input.themeEntry = m_themeEntry();
    input.companyName = m_entry.fieldText(u"txtCompanyName");
    input.companyAddress = m_entry.fieldText(u"txtCompanyAddress");
    input.telephone = m_entry.fieldText(u"txtCompanyTelephone");
    input.fax = m_entry.fieldText(u"txtCompanyFax");
    input.contactName = m_entry.fieldText(u"txtContactName");
    input.email = m_entry.fieldText(u"txtEmailAddress");
    input.pageFile = QDir::toNativeSeparators(m_publisher.pageFile());
    input.pictures = pictureFields(m_entry);

    PrinterService& printer = m_services.printer;
    bool ok = true;
    for (const QString& line : summaryLines(input)) {
        if (!printer.printLine(line)) {
            ok = false;
            break;
        }
    }
    ok = ok && printer.endDocument();
    const QString title = QString::fromLatin1(identity::AppTitle);
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

void DespatchDesk::cmdPrint_Click() {
    takeFocus(m_cmdPrint);
    PrintSummary();
    m_summaryPrinted = true;
}

} // namespace quorra
