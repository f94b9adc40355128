#include "page/widgets/PagePublisher.h"

#include "Identity.h"
#include "entry/TextRules.h"
#include "entry/widgets/Controls.h"
#include "entry/widgets/EntryForm.h"
#include "page/PageFragments.h"
#include "page/PageWriter.h"

#include <QDir>
#include <QGroupBox>
#include <QPushButton>

namespace quorra {

using namespace Qt::StringLiterals;

PagePublisher::PagePublisher(EntryForm& entry, const Services& services, const QString& appFolder,
                             QObject* parent)
    : QObject(parent)
    , m_entry(entry)
    , m_services(services)
    , m_appFolder(appFolder) {}

void PagePublisher::buildViewButton(QGroupBox* panel) {
    m_cmdView = new QPushButton(u"&View Page"_s, panel);
    m_cmdView->setObjectName(u"cmdView"_s);
    m_cmdView->setGeometry(twipsRect(1680, 2760, 1455, 375));
    connect(m_cmdView, &QPushButton::clicked, this, &PagePublisher::cmdView_Click);
}

QString PagePublisher::pageFile() const {
    return pageFileName(m_appFolder, m_selectedTheme);
}

PageResult PagePublisher::GeneratePage() {
    const auto fragments = pageFragments([this](const QString& name) { return m_entry.fieldText(name); },
                                         m_entry.acceptedCards());
    for (const PageField& fragment : fragments)
        m_entry.setFieldText(fragment.name, fragment.text);
    QDir::setCurrent(m_appFolder);
    return generatePageFile(m_appFolder, m_selectedTheme, m_entry.pageFields());
}

bool PagePublisher::generatePageOrReport() {
    m_services.cursor.setWaitCursor();
    const PageResult result = GeneratePage();
    m_services.cursor.restoreCursor();
    if (result.ok)
        return true;
    m_services.messages.show(
        u"Page Not Generated"_s,
        u"Your page could not be generated, so the wizard stays open with everything you entered."_s + CrLf +
            CrLf + result.error,
        MessageButtons::Ok, MessageIcon::Information);
    return false;
}

void PagePublisher::cmdView_Click() {
    takeFocus(m_cmdView);
    if (!m_entry.CheckCompanyDetails()) {
        m_services.messages.show(u"Incomplete Data Entry"_s, m_entry.validationMessage(), MessageButtons::Ok,
                                 MessageIcon::Information);
        return;
    }
    if (!generatePageOrReport())
        return;
    const QString viewer = m_appFolder + u'/' + QLatin1StringView(identity::ViewerName);
    if (!m_services.launcher.startDetached(viewer, {QDir::toNativeSeparators(pageFile())})) {
        m_services.messages.show(u"File Not Found"_s, u"Error Opening your Browser"_s, MessageButtons::Ok,
                                 MessageIcon::None);
    }
}

} // namespace quorra
