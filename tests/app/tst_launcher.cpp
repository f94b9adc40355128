#include "support/TestFolder.h"

#include <QtTest>

using namespace quorra::test;
using namespace Qt::StringLiterals;

// The installed launcher: it gives each user an application folder of their own and starts
// the wizard on it. The program folder holds the shipped data and, in place of the two
// programs, scripts that note how they were started.
class TestLauncher : public QObject {
    Q_OBJECT
    std::unique_ptr<TestFolder> m_root;
    QStringList m_shipped;

    QString path(const QString& name) const { return m_root->filePath(name); }

    // Runs the launcher with HOME in the temporary folder; returns the folder the wizard
    // was started on, or what went wrong.
    QString launch() {
        QProcess launcher;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"HOME"_s, path(u"home"_s));
        env.insert(u"QUORRA_WIZARD_PROGRAM_DIR"_s, path(u"program"_s));
        launcher.setProcessEnvironment(env);
        launcher.setWorkingDirectory(path(u"home"_s));
        launcher.start(QStringLiteral(QUORRA_LAUNCHER), {u"page one"_s});
        if (!launcher.waitForFinished(30000) || launcher.exitCode() != 0)
            return u"failed: "_s + QString::fromUtf8(launcher.readAllStandardError());
        const QStringList args = QString::fromUtf8(m_root->read(u"home/started"_s)).split(u'\n');
        QFile::remove(path(u"home/started"_s));
        const bool ok = args.size() == 4 && args[0] == u"--app-folder" && args[2] == u"page one";
        return ok ? args[1] : u"started with: "_s + args.join(u' ');
    }

private slots:
    void init() {
        m_root = std::make_unique<TestFolder>(TestFolder::Empty);
        copyShippedData(path(u"program"_s));
        m_shipped.clear();
        QDirIterator it(path(u"program"_s), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            m_shipped.append(QDir(path(u"program"_s)).relativeFilePath(it.next()));
        for (const QString& program : {u"program/QuorraWizard"_s, u"program/MarlixExp"_s}) {
            m_root->write(program, "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$HOME/started\"\n");
            QFile::setPermissions(path(program), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        QVERIFY(QDir().mkpath(path(u"home"_s)));
        qunsetenv("XDG_DATA_HOME");
    }

    void firstStartCopiesTheData() {
        const QString folder = launch();
        QCOMPARE(folder, path(u"home/.local/share/quorra-wizard"_s));
        for (const QString& name : std::as_const(m_shipped))
            QCOMPARE(readFile(folder + u'/' + name), m_root->read(u"program/"_s + name));
        QVERIFY(!QFile::exists(folder + u"/QuorraWizard"_s));
        QCOMPARE(QFile::symLinkTarget(folder + u"/MarlixExp"_s), path(u"program/MarlixExp"_s));
    }

    void laterStartsCopyOnlyWhatIsMissing() {
        const QString user = u"home/.local/share/quorra-wizard/"_s;
        QCOMPARE(launch() + u'/', path(user));
        const QStringList mine{u"Theme.txt"_s, u"Classic.txt"_s, u"Classic.html"_s};
        for (const QString& name : mine)
            m_root->write(user + name, "edited " + name.toUtf8());
        for (const QString& name : {u"marlixhlp.dat"_s, u"images/visa.gif"_s, u"MarlixExp"_s})
            QVERIFY(QFile::remove(path(user + name)));

        QCOMPARE(launch() + u'/', path(user));
        for (const QString& name : mine)
            QCOMPARE(m_root->read(user + name), "edited " + name.toUtf8());
        for (const QString& name : {u"marlixhlp.dat"_s, u"images/visa.gif"_s})
            QCOMPARE(m_root->read(user + name), m_root->read(u"program/"_s + name));
        QCOMPARE(QFile::symLinkTarget(path(user + u"MarlixExp"_s)), path(u"program/MarlixExp"_s));
    }

    void dataHome_data() {
        QTest::addColumn<QByteArray>("xdgDataHome");
        QTest::addColumn<QString>("folder");
        QTest::newRow("absolute") << QByteArray("@/xdg") << u"xdg/quorra-wizard"_s;
        QTest::newRow("empty") << QByteArray() << u"home/.local/share/quorra-wizard"_s;
        QTest::newRow("relative") << QByteArray("xdg") << u"home/.local/share/quorra-wizard"_s;
    }

    void dataHome() {
        QFETCH(QByteArray, xdgDataHome);
        QFETCH(QString, folder);
        qputenv("XDG_DATA_HOME", xdgDataHome.replace('@', m_root->path().toUtf8()));
        QCOMPARE(launch(), path(folder));
        QCOMPARE(m_root->read(folder + u"/Theme.txt"_s), m_root->read(u"program/Theme.txt"_s));
    }
};

QTEST_GUILESS_MAIN(TestLauncher)
#include "tst_launcher.moc"
