#pragma once

#include "support/FakeServices.h"
#include "support/TestFolder.h"
#include "wizard/MainWindow.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <memory>

namespace quorra::test {

// A loaded, shown and active main window on a temporary application folder, with fakes
// for every service.
class Wizard {
public:
    explicit Wizard(TestFolder::Contents contents = TestFolder::ShippedData)
        : folder(contents) {}
    ~Wizard();

    // Creates, loads, shows and activates the window.
    void start();
    MainWindow& w() const { return *window; }
    QPushButton* button(int index) const { return window->cmdOption(index); }
    void click(int index) const;
    // Clicks Next until the step with this index is shown.
    void goToStep(int index) const;
    template <typename T = QWidget> T* control(const QString& name) const {
        return window->findChild<T*>(name);
    }
    QLineEdit* line(const QString& name) const { return control<QLineEdit>(name); }
    QPlainTextEdit* multi(const QString& name) const { return control<QPlainTextEdit>(name); }
    // Fills the three details a page needs: company name, address and contact name.
    void fillRequired() const;
    // The file stem of the selected theme: its template and page are stem.txt and stem.html.
    QString pageStem() const { return window->selectedTheme().left(7); }
    // Whether every queued answer was asked for and nothing was asked unexpectedly.
    bool allAnswered() const;

    TestFolder folder;
    QString appFolder; // the application folder when not the test folder itself
    FakeServices fakes;
    MessageService* messages = nullptr; // the message boxes when not the fake's
    PrinterService* printer = nullptr;  // the printer when not the fake's
    std::unique_ptr<MainWindow> window;
};

} // namespace quorra::test
