#include "Identity.h"
#include "app/CommandLine.h"
#include "app/widgets/Startup.h"
#include "platform/DisplayCheck.h"
#include "platform/QtFileDialogService.h"
#include "platform/QtPrinterService.h"
#include "platform/QtProgramLauncher.h"
#include "platform/QtServices.h"
#include "wizard/widgets/MainWindow.h"

#include <QApplication>

#include <cstdio>

namespace {

const QString Version = QString::fromLatin1(quorra::identity::Version);

// Prints the answer of a command line that does not start the wizard; returns the exit status.
int answer(const quorra::CommandLine& command) {
    const bool refused = command.action == quorra::CommandLine::Refuse;
    std::fputs(command.text.toLocal8Bit().constData(), refused ? stderr : stdout);
    return refused ? 2 : 0;
}

} // namespace

int main(int argc, char* argv[]) {
    // --help and --version are answered before the application connects to a display, so
    // they work without one.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const auto early = quorra::parseCommandLine(arguments, {}, Version);
        early.action == quorra::CommandLine::ShowHelp || early.action == quorra::CommandLine::ShowVersion)
        return answer(early);
    // Without a display Qt would abort with its own message and status 134.
    if (!quorra::displayAvailable(argc, argv)) {
        std::fprintf(stderr, "quorra-wizard%s", quorra::NoDisplayLine);
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(quorra::identity::AppTitle));
    QApplication::setApplicationVersion(Version);
    // The desktop shows the windows under the menu entry's name and icon.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(quorra::identity::DesktopId));
    // Qt has taken its own options (-platform, -style...) out of the arguments; the rest are
    // the wizard's. The launcher of an installed copy names the user's own folder with
    // --app-folder.
    const auto command = quorra::parseCommandLine(QCoreApplication::arguments(),
                                                  QCoreApplication::applicationDirPath(), Version);
    if (command.action != quorra::CommandLine::Start)
        return answer(command);

    quorra::QtMessageService messages;
    quorra::QtCursorService cursor;
    quorra::QtFileDialogService fileDialog;
    quorra::QtProgramLauncher launcher;
    quorra::QtPrinterService printer;
    const quorra::Services services{messages, cursor, fileDialog, launcher, printer};

    auto window = quorra::Main(services, command.appFolder);
    if (window->isUnloaded())
        return 0;
    QObject::connect(window.get(), &quorra::MainWindow::unloaded, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    return app.exec();
}
