#include "app/CommandLine.h"
#include "app/widgets/SplashWindow.h"
#include "support/WizardFixture.h"

using namespace quorra;
using namespace quorra::test;
using namespace Qt::StringLiterals;

// The program's start: the command line, the answers the wizard gives without a window, and
// the installed launcher: it gives each user an application folder of their own, keeps it
// whole and current, and starts the wizard on it. The program folder holds the shipped data
// and, in place of the two programs, scripts that note how they were started.
class TestStartup : public QObject {
    Q_OBJECT
    using Files = QMap<QString, QByteArray>;
    static constexpr char Script[] = "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$HOME/started\"\n";
    const QString m_user = u"home/.local/share/quorra-wizard/"_s;
    TestFolder m_root{TestFolder::Empty};
    Files m_shipped;

    QString path(const QString& name) const { return m_root.filePath(name); }

    // Runs the launcher with HOME in the temporary folder, no desktop session (so no message
    // on the desktop) and the window offscreen; returns the arguments the wizard was started
    // with, or what went wrong.
    QStringList launch(const QStringList& arguments = {}) {
        QProcess launcher;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"HOME"_s, path(u"home"_s));
        env.insert(u"QUORRA_WIZARD_PROGRAM_DIR"_s, path(u"program"_s));
        env.remove(u"DISPLAY"_s);
        env.remove(u"WAYLAND_DISPLAY"_s);
        launcher.setProcessEnvironment(env);
        launcher.start(QStringLiteral(QUORRA_LAUNCHER), arguments);
        if (!launcher.waitForFinished(30000) || launcher.exitCode() != 0)
            return {u"failed"_s, QString::fromUtf8(launcher.readAllStandardError())};
        QStringList started = QString::fromUtf8(m_root.read(u"home/started"_s)).split(u'\n');
        QFile::remove(path(u"home/started"_s));
        return started.mid(0, started.size() - 1);
    }
    QStringList startedOn(const QString& folder) const {
        return {u"--app-folder"_s, path(folder).chopped(1)};
    }

    // A folder's files, hidden ones and those of its subfolders included, with their bytes;
    // the launcher's record left out.
    Files contents(const QString& folder) const {
        Files files;
        for (QDirIterator it(path(folder), QDir::Files | QDir::Hidden | QDir::System,
                             QDirIterator::Subdirectories);
             it.hasNext();) {
            const QString file = it.next();
            files[QDir(path(folder)).relativeFilePath(file)] = readFile(file);
        }
        files.remove(u".shipped.sha256"_s);
        return files;
    }
    void ship(const QString& name, const QByteArray& bytes) {
        m_root.write(u"program/"_s + name, m_shipped[name] = bytes);
    }

    // The program folder: the shipped data, and scripts in place of the two programs.
    void prepareProgramFolder() {
        copyShippedData(path(u"program"_s));
        m_shipped = contents(u"program/"_s);
        for (const QString& program : {u"program/QuorraWizard"_s, u"program/MarlixExp"_s}) {
            m_root.write(program, Script);
            QFile::setPermissions(path(program), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        QVERIFY(QDir().mkpath(path(u"home"_s)));
        qunsetenv("XDG_DATA_HOME");
    }

private slots:
    // The first start makes the folder; a later one restores the copies the user lost, keeps
    // those edited and passes the wizard's options on. An upgrade on a full disk leaves the
    // folder as it was and starts nothing. A newer package's corrected themes replace the
    // copies not edited; beside an edited one the new version is put once; a new theme comes,
    // one no longer shipped stays.
    void launcherKeepsTheUsersFolder() {
        prepareProgramFolder();
        QCOMPARE(launch(), startedOn(m_user));
        QCOMPARE(QFile::symLinkTarget(path(m_user + u"MarlixExp"_s)), path(u"program/MarlixExp"_s));
        Files expected = m_shipped; // every shipped file as shipped, and the viewer's link
        expected[u"MarlixExp"_s] = Script;
        for (const QString& name : {u"Theme.txt"_s, u"Classic.txt"_s, u"Classic.html"_s})
            m_root.write(m_user + name, expected[name] = "edited " + name.toUtf8());
        for (const QString& name : {u"marlixhlp.dat"_s, u"images/visa.gif"_s, u"MarlixExp"_s})
            QVERIFY(QFile::remove(path(m_user + name)));
        m_root.write(m_user + u".Theme.txt.part"_s, "cut short");
        QCOMPARE(launch(QStringList() << u"-style"_s << u"a b"_s), startedOn(m_user)
                                                                       << u"-style"_s << u"a b"_s);
        QCOMPARE(contents(m_user), expected);

        ship(u"images/visa.gif"_s, QByteArray(64 << 10, 'v'));
        const QStringList refused = [this] { // on a full disk
            const FileSizeLimit diskFull(32 << 10);
            return launch();
        }();
        QVERIFY2(refused.value(1).endsWith(
                     u"/images/visa.gif: the disk is full (File too large). The wizard does not "
                     "start on an incomplete folder.\n"_s),
                 qPrintable(refused.value(1)));
        QVERIFY(refused.value(0) == u"failed" && !QFile::exists(path(u"home/started"_s)));
        QCOMPARE(contents(m_user), expected);

        for (const QString& name : {u"Classic.txt"_s, u"Modern.txt"_s, u"Zest.txt"_s})
            ship(name, expected[name == u"Classic.txt" ? u"Classic.txt.new"_s : name] = name.toUtf8() + " 2");
        ship(u"Theme.txt"_s, expected[u"Theme.txt.new"_s] = m_shipped[u"Theme.txt"_s] + "Zest\r\n");
        expected[u"images/visa.gif"_s] = m_shipped[u"images/visa.gif"_s];
        QVERIFY(QFile::remove(path(u"program/Orchard.txt"_s)));
        for (int start = 1; start <= 2; ++start) {
            QCOMPARE(launch(), startedOn(m_user));
            QCOMPARE(contents(m_user), expected);
            for (const QString& name : {u"Classic.txt.new"_s, u"Theme.txt.new"_s})
                QFile::remove(path(m_user + name)), expected.remove(name);
        }
    }

    void commandLine_data() {
        QTest::addColumn<QString>("arguments"); // after the program's name, separated by blanks
        QTest::addColumn<QString>("result");    // the action, then the folder or the text's first line
        const auto row = [](const char* arguments, const QString& result) {
            QTest::newRow(arguments) << QString::fromUtf8(arguments) << result;
        };
        const QString refused = u"3 quorra-wizard: %1. Try 'quorra-wizard --help'."_s;
        row("", u"0 /usr/lib/exe"_s);
        row("--app-folder=/home/a/q/", u"0 /home/a/q"_s);
        row("--app-folder q/../r", u"0 "_s + QDir::currentPath() + u"/r"_s);
        row("-x -v --help", u"1 Usage: quorra-wizard [--app-folder FOLDER]"_s);
        row("--app-folder /x page -v", u"2 Quorra Development Wizard 9.8.7"_s);
        row("--colour -q", refused.arg(u"unknown option '--colour'"_s));
        row("--app-folder=", refused.arg(u"option '--app-folder' needs a folder"_s));
    }

    // The launcher of an installed copy starts the wizard on the user's own folder.
    void commandLine() {
        QFETCH(QString, arguments);
        QFETCH(QString, result);
        const CommandLine command = parseCommandLine(
            QStringList{u"w"_s} + arguments.split(u' ', Qt::SkipEmptyParts), u"/usr/lib/exe"_s, u"9.8.7"_s);
        const QString said = command.action == CommandLine::Start ? command.appFolder : command.text;
        QCOMPARE(QString::number(command.action) + u' ' + said.section(u'\n', 0, 0), result);
        QVERIFY(command.action == CommandLine::Start || said.endsWith(u'\n'));
    }

    // The version needs no display; without one the wizard says so, before Qt would abort.
    void theProgramAnswersWithoutAWindow() {
        const QTemporaryDir runtime; // for Qt, which otherwise warns on standard error
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"XDG_RUNTIME_DIR"_s, runtime.path());
        env.remove(u"DISPLAY"_s);
        env.remove(u"WAYLAND_DISPLAY"_s);
        QString answers;
        for (const QString& argument : {u"--version"_s, u"--bogus"_s, QString()}) {
            QProcess wizard; // a refused option is told on a display
            env.insert(u"QT_QPA_PLATFORM"_s, argument == u"--bogus" ? u"offscreen"_s : u""_s);
            wizard.setProcessEnvironment(env);
            wizard.start(QStringLiteral(QUORRA_WIZARD), QStringList(argument).filter(u"-"_s));
            QVERIFY(wizard.waitForFinished(20000));
            answers += u"%1 [%2] [%3]\n"_s.arg(wizard.exitCode())
                           .arg(QString::fromUtf8(wizard.readAllStandardOutput()),
                                QString::fromUtf8(wizard.readAllStandardError()));
        }
        QCOMPARE(answers,
                 u"0 [Quorra Development Wizard " QUORRA_VERSION "\n] []\n"
                 u"2 [] [quorra-wizard: unknown option '--bogus'. Try 'quorra-wizard --help'.\n]\n"
                 u"1 [] [quorra-wizard: no display: this is a desktop program and needs a desktop session "
                 u"(X11 or Wayland), but neither DISPLAY nor WAYLAND_DISPLAY is set.\n]\n"_s);
    }

    // The splash: its frame, pictures and captions, the release as --version names it.
    void splash() {
        SplashWindow splash;
        QString listing;
        for (const QFrame* w : splash.findChildren<QFrame*>()) {
            const auto* label = qobject_cast<const QLabel*>(w);
            listing +=
                u"%1 %2 %3 frame %4 line %5 %6\n"_s.arg(w->metaObject()->className(), w->objectName())
                    .arg(QDebug::toString(w->geometry()))
                    .arg(w->frameShape() | w->frameShadow())
                    .arg(w->lineWidth())
                    .arg(label ? QDebug::toString(label->text()) + QDebug::toString(label->pixmap().size())
                               : QString());
        }
        compareGolden(listing.replace(QStringLiteral(QUORRA_VERSION), u"@VERSION@"_s).toUtf8(),
                      u"splash.txt"_s);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
