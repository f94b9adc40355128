#include "support/WizardFixture.h"

#include <QApplication>
#include <QtTest>

namespace quorra::test {

Wizard::~Wizard() = default;

void Wizard::start() {
    MessageService& boxes = messages ? *messages : fakes.messages;
    PrinterService& paper = printer ? *printer : fakes.printer;
    const Services services{boxes, fakes.cursor, fakes.fileDialog, fakes.launcher, paper};
    window = std::make_unique<MainWindow>(services, appFolder.isEmpty() ? folder.path() : appFolder);
    window->Form_Load();
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

void Wizard::click(int index) const {
    QTest::mouseClick(button(index), Qt::LeftButton);
}

void Wizard::goToStep(int index) const {
    while (window->currentStep() < index && button(MainWindow::Next)->isEnabled())
        click(MainWindow::Next);
    while (window->currentStep() > index)
        click(MainWindow::Back);
}

void Wizard::fillRequired() const {
    window->setFieldText(u"txtCompanyName", QStringLiteral("Acme Ltd"));
    window->setFieldText(u"txtCompanyAddress", QStringLiteral("1 High Street\r\nTown"));
    window->setFieldText(u"txtContactName", QStringLiteral("Ann Smith"));
}

bool Wizard::allAnswered() const {
    return fakes.messages.answers.isEmpty() && fakes.messages.unexpected == 0 && fakes.fileDialog.paths.isEmpty();
}

} // namespace quorra::test
