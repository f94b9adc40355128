#include "wizard/MainWindow.h"

#include "entry/TextRules.h"
#include "page/PageFragments.h"
#include "page/PageWriter.h"

#include <QDir>
#include <QListWidget>
#include <QPushButton>

// Generating the page from the entry and showing it in the viewer.

namespace quorra {

using namespace Qt::StringLiterals;

namespace {

QString viewerProgramName() {
#ifdef Q_OS_WIN
    return u"MarlixExp.exe"_s;
#else
    return u"MarlixExp"_s;
#endif
}

} // namespace

QString MainWindow::pageFile() const {
    return pageFileName(m_appFolder, m_selectedTheme);
}

PageResult MainWindow::GeneratePage() {
    QStringList accepted;
    for (int i = 0; i < m_lstCreditCards->count(); ++i) {
        if (m_lstCreditCards->item(i)->isSelected())
            accepted.append(m_lstCreditCards->item(i)->text());
    }
    const auto fragments = pageFragments([this](const QString& name) { return fieldText(name); }, accepted);
    for (const PageField& fragment : fragments)
        setFieldText(fragment.name, fragment.text);
    QDir::setCurrent(m_appFolder);
    return generatePageFile(m_appFolder, m_selectedTheme, pageFields());
}

bool MainWindow::generatePageOrReport() {
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

void MainWindow::cmdView_Click() {
    takeFocus(m_cmdView);
    if (!CheckCompanyDetails()) {
        m_services.messages.show(u"Incomplete Data Entry"_s, m_validationMessage, MessageButtons::Ok,
                                 MessageIcon::Information);
        return;
    }
    if (!generatePageOrReport())
        return;
    const QString viewer = m_appFolder + u'/' + viewerProgramName();
    if (!m_services.launcher.startDetached(viewer, {QDir::toNativeSeparators(pageFile())})) {
        m_services.messages.show(u"File Not Found"_s, u"Error Opening your Browser"_s, MessageButtons::Ok,
                                 MessageIcon::None);
    }
}

} // namespace quorra
