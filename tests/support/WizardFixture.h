#pragma once

#include "support/FakeServices.h"
#include "support/TestFolder.h"
#include "wizard/widgets/MainWindow.h"

#include <QtTest>
#include <QtWidgets> // as precompiled for every window test

#include <memory>

namespace quorra::test {

// A loaded, shown and active main window on a temporary application folder, with fakes
// for every service.
class Wizard {
public:
    explicit Wizard(TestFolder::Contents contents = TestFolder::ShippedData)
        : folder(contents) {}
    // A window started at once, on the shipped data.
    enum StartNow { Started };
    explicit Wizard(StartNow)
        : Wizard() {
        start();
    }

    // Creates, loads, shows and activates the window.
    void start() {
        const Services services{messages ? *messages : fakes, fakes, fakes, fakes,
                                printer ? *printer : fakes};
        window = std::make_unique<MainWindow>(services, folder.path());
        window->Form_Load();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    MainWindow& w() const { return *window; }
    QPushButton* button(int index) const { return window->cmdOption(index); }
    void click(int index) const { QTest::mouseClick(button(index), Qt::LeftButton); }
    void click(const QString& name) const {
        QTest::mouseClick(control<QAbstractButton>(name), Qt::LeftButton);
    }
    // Clicks Next or Back until the step with this index is shown.
    void goToStep(int index) const {
        while (window->currentStep() < index && button(MainWindow::Next)->isEnabled())
            click(MainWindow::Next);
        while (window->currentStep() > index)
            click(MainWindow::Back);
    }
    template <typename T = QWidget> T* control(const QString& name) const {
        return window->findChild<T*>(name);
    }
    QLineEdit* line(const QString& name) const { return control<QLineEdit>(name); }
    QPlainTextEdit* multi(const QString& name) const { return control<QPlainTextEdit>(name); }
    // Fills the three details a page needs: company name, address and contact name.
    void fillRequired() const {
        window->setFieldText(u"txtCompanyName", QStringLiteral("Acme Ltd"));
        window->setFieldText(u"txtCompanyAddress", QStringLiteral("1 High Street\r\nTown"));
        window->setFieldText(u"txtContactName", QStringLiteral("Ann Smith"));
    }
    // The file stem of the selected theme: its template and page are stem.txt and stem.html.
    QString pageStem() const { return window->selectedTheme().left(7); }
    // What the wizard asked of the services, a line a request, carriage returns shown as \r.
    QString asked() const { return fakes.log.join(u'\n').replace(u'\r', QStringLiteral("\\r")); }
    // Whether every queued answer was asked for and nothing was asked unexpectedly.
    bool allAnswered() const {
        return fakes.answers.isEmpty() && fakes.unexpected == 0 && fakes.paths.isEmpty();
    }

    TestFolder folder;
    FakeServices fakes;
    MessageService* messages = nullptr; // the message boxes when not the fake's
    PrinterService* printer = nullptr;  // the printer when not the fake's
    std::unique_ptr<MainWindow> window;
};

} // namespace quorra::test
