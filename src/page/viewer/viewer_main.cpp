// The page viewer. Usage: the viewer's program name, then PAGE
// One viewer runs per desktop session: started while another runs, it hands PAGE over to it and ends.
// With QUORRA_VIEWER_REPORT=1 it prints "loaded <title>" or "failed <why>" each time a page
// has loaded or could not be shown, which lets tests see pages load without a person
// watching. The engine's own log lines stay out of the terminal the viewer was started
// from (the wizard's) unless QUORRA_VIEWER_LOG=1 asks for them.

#include "Identity.h"
#include "page/viewer/ViewerSession.h"
#include "page/viewer/ViewerWindow.h"
#include "platform/DisplayCheck.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QStringList>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

bool reporting() {
    return qEnvironmentVariableIntValue("QUORRA_VIEWER_REPORT") == 1;
}

void report(const QString& line) {
    std::fprintf(stdout, "%s\n", qPrintable(line));
    std::fflush(stdout);
}

// True when the page can be shown; otherwise tells the user why not.
bool checkPage(const QString& page, QWidget* window) {
    const QString problem = quorra::pageProblem(page);
    if (problem.isEmpty())
        return true;
    if (reporting()) {
        report(QStringLiteral("failed ") + problem);
    } else if (window) {
        auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Page Preview"), problem,
                                    QMessageBox::Ok, window);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    } else {
        QMessageBox::warning(nullptr, QStringLiteral("Page Preview"), problem);
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    // Without a display Qt would abort with its own message and status 134.
    if (!quorra::displayAvailable(argc, argv)) {
        std::fprintf(stderr, "%s%s", quorra::identity::ViewerName, quorra::NoDisplayLine);
        return 1;
    }
    // Chromium refuses its sandbox to root; only then does the viewer run without it.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIntValue("QUORRA_VIEWER_LOG") != 1) {
        QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext=false"));
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") + " --log-level=3");
    }
    // The engine shares the window's graphics context; without this Qt warns at each start.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(quorra::identity::ViewerName));
    // The viewer's windows belong to the wizard's menu entry and carry its icon.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(quorra::identity::DesktopId));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icon-256.png")));

    // The page path is everything after the program's name, so a path with blanks that
    // arrives split still names one file.
    QString page = QApplication::arguments().mid(1).join(u' ');
    if (!page.isEmpty()) // the running viewer may have another working folder
        page = QFileInfo(page).absoluteFilePath();

    auto session = std::make_unique<quorra::ViewerSession>();
    if (session->handOver(page))
        return 0;
    if (!quorra::pageProblem(page).isEmpty()) {
        // This viewer ends: one started while its message is up must not hand its page here.
        session.reset();
        checkPage(page, nullptr);
        return 1;
    }

    quorra::ViewerWindow window;
    QObject::connect(session.get(), &quorra::ViewerSession::pageHandedOver, &window,
                     [&window](const QString& next) {
                         window.bringToFront();
                         if (checkPage(next, &window))
                             window.showPage(next);
                     });
    if (reporting()) {
        QObject::connect(&window, &quorra::ViewerWindow::pageLoaded, &app, [](bool ok, const QString& title) {
            report(ok ? QStringLiteral("loaded ") + title : QStringLiteral("failed"));
        });
    }
    window.showPage(page);
    window.show();
    // Without a hand-over every later View opens a window of its own: this one says so.
    if (!session->problem().isEmpty()) {
        if (reporting()) {
            report(QStringLiteral("alone ") + session->problem());
        } else {
            auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Page Preview"),
                                        session->problem(), QMessageBox::Ok, &window);
            box->setAttribute(Qt::WA_DeleteOnClose);
            box->open();
        }
    }
    return app.exec();
}
