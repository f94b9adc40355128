// The page viewer. Usage: MarlixExp PAGE
// With QUORRA_VIEWER_REPORT_AND_QUIT=1 it prints "loaded <title>" or "failed" once the
// page has loaded and quits, which lets tests see a page load without a person watching.

#include "page/viewer/ViewerWindow.h"

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

int main(int argc, char* argv[]) {
    // Chromium refuses its sandbox to root; only then does the viewer run without it.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("MarlixExp"));

    const QStringList args = QApplication::arguments().mid(1);
    // The page path is everything after the program's name, so a path with blanks that
    // arrives split still names one file.
    const QString page = args.join(u' ');
    const bool reportAndQuit = qEnvironmentVariableIntValue("QUORRA_VIEWER_REPORT_AND_QUIT") == 1;

    if (const QString problem = quorra::pageProblem(page); !problem.isEmpty()) {
        if (reportAndQuit) {
            std::fprintf(stdout, "failed %s\n", qPrintable(problem));
            return 1;
        }
        QMessageBox::warning(nullptr, QStringLiteral("Page Preview"), problem);
        return 1;
    }

    quorra::ViewerWindow window(page);
    if (reportAndQuit) {
        QObject::connect(&window, &quorra::ViewerWindow::pageLoaded, &app, [](bool ok, const QString& title) {
            if (ok)
                std::fprintf(stdout, "loaded %s\n", qPrintable(title));
            else
                std::fprintf(stdout, "failed\n");
            std::fflush(stdout);
            QCoreApplication::exit(ok ? 0 : 1);
        });
        QTimer::singleShot(60000, &app, [] { QCoreApplication::exit(3); });
    }
    window.show();
    return app.exec();
}
