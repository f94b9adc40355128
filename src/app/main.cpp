#include "app/Startup.h"
#include "despatch/QtPrinterService.h"
#include "entry/QtFileDialogService.h"
#include "page/QtProgramLauncher.h"
#include "wizard/MainWindow.h"
#include "wizard/QtServices.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("MarlixNet"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.1"));
    // The desktop shows the windows under the menu entry's name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("net.marlix.QuorraWizard"));

    quorra::QtMessageService messages;
    quorra::QtCursorService cursor;
    quorra::QtFileDialogService fileDialog;
    quorra::QtProgramLauncher launcher;
    quorra::QtPrinterService printer;
    const quorra::Services services{messages, cursor, fileDialog, launcher, printer};

    // The launcher of an installed copy names the user's own folder with --app-folder.
    const QString appFolder =
        quorra::appFolderFromArguments(QCoreApplication::arguments(), QCoreApplication::applicationDirPath());
    auto window = quorra::Main(services, appFolder);
    if (window->isUnloaded())
        return 0;
    QObject::connect(window.get(), &quorra::MainWindow::unloaded, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    return app.exec();
}
