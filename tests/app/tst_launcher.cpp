#include "support/TestFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace quorra::test;
using namespace Qt::StringLiterals;

// The installed launcher: it gives each user an application folder of their own and starts
// the wizard on it. The program folder holds the shipped data and, in place of the two
// programs, scripts that note how they were started.
class TestLauncher : public QObject {
    Q_OBJECT
private slots:
    void init();
    void firstStartCopiesTheData();
    void laterStartsCopyOnlyWhatIsMissing();
    void dataHome_data();
    void dataHome();

private:
    // Runs the launcher with HOME in the temporary folder; returns the folder the wizard
    // was started on, or an empty text.
    QString launch(const QByteArray* xdgDataHome = nullptr);
    QString path(const QString& name) const { return m_root->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_root;
    QStringList m_shipped;
};

void TestLauncher::init() {
    m_root = std::make_unique<QTemporaryDir>();
    copyShippedData(path(u"program"_s));
    QDirIterator it(path(u"program"_s), QDir::Files, QDirIterator::Subdirectories);
    m_shipped.clear();
    while (it.hasNext())
        m_shipped.append(QDir(path(u"program"_s)).relativeFilePath(it.next()));
    QVERIFY(m_shipped.contains(u"Theme.txt"_s) && m_shipped.contains(u"images/visa.gif"_s));
    for (const QString& program : {u"QuorraWizard"_s, u"MarlixExp"_s}) {
        QFile script(path(u"program/"_s + program));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$HOME/started\"\n");
        script.close();
        script.setPermissions(script.permissions() | QFile::ExeOwner);
    }
    QDir().mkpath(path(u"home"_s));
}

QString TestLauncher::launch(const QByteArray* xdgDataHome) {
    QProcess launcher;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"HOME"_s, path(u"home"_s));
    env.insert(u"QUORRA_WIZARD_PROGRAM_DIR"_s, path(u"program"_s));
    env.remove(u"XDG_DATA_HOME"_s);
    if (xdgDataHome)
        env.insert(u"XDG_DATA_HOME"_s, QString::fromUtf8(*xdgDataHome));
    launcher.setProcessEnvironment(env);
    launcher.setWorkingDirectory(path(u"home"_s));
    launcher.start(QStringLiteral(QUORRA_LAUNCHER), {u"page one"_s});
    if (!launcher.waitForFinished(30000) || launcher.exitCode() != 0) {
        qWarning() << launcher.readAllStandardError();
        return {};
    }
    const QStringList args = QString::fromUtf8(readFile(path(u"home/started"_s))).split(u'\n');
    QFile::remove(path(u"home/started"_s));
    if (args.size() != 4 || args[0] != u"--app-folder" || args[2] != u"page one")
        return {};
    return args[1];
}

void TestLauncher::firstStartCopiesTheData() {
    const QString folder = launch();
    QCOMPARE(folder, path(u"home/.local/share/quorra-wizard"_s));
    for (const QString& name : std::as_const(m_shipped))
        QCOMPARE(readFile(folder + u'/' + name), readFile(path(u"program/"_s + name)));
    QVERIFY(!QFile::exists(folder + u"/QuorraWizard"_s));
    QCOMPARE(QFile::symLinkTarget(folder + u"/MarlixExp"_s), path(u"program/MarlixExp"_s));
}

void TestLauncher::laterStartsCopyOnlyWhatIsMissing() {
    const QString folder = launch();
    QVERIFY(!folder.isEmpty());
    QDir user(folder);
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(user.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    };
    write(u"Theme.txt"_s, "\"Mine\"\r\n");
    write(u"Classic.txt"_s, "<html>edited</html>\r\n");
    write(u"Classic.html"_s, "<html>my page</html>\r\n");
    QVERIFY(user.remove(u"marlixhlp.dat"_s) && user.remove(u"images/visa.gif"_s) &&
            user.remove(u"MarlixExp"_s));

    QCOMPARE(launch(), folder);
    QCOMPARE(readFile(user.filePath(u"Theme.txt"_s)), QByteArray("\"Mine\"\r\n"));
    QCOMPARE(readFile(user.filePath(u"Classic.txt"_s)), QByteArray("<html>edited</html>\r\n"));
    QCOMPARE(readFile(user.filePath(u"Classic.html"_s)), QByteArray("<html>my page</html>\r\n"));
    QCOMPARE(readFile(user.filePath(u"marlixhlp.dat"_s)), readFile(path(u"program/marlixhlp.dat"_s)));
    QCOMPARE(readFile(user.filePath(u"images/visa.gif"_s)), readFile(path(u"program/images/visa.gif"_s)));
    QCOMPARE(QFile::symLinkTarget(user.filePath(u"MarlixExp"_s)), path(u"program/MarlixExp"_s));
}

void TestLauncher::dataHome_data() {
    QTest::addColumn<QByteArray>("xdgDataHome");
    QTest::addColumn<QString>("folder");
    QTest::newRow("absolute") << QByteArray("@/xdg") << u"xdg/quorra-wizard"_s;
    QTest::newRow("empty") << QByteArray() << u"home/.local/share/quorra-wizard"_s;
    QTest::newRow("relative") << QByteArray("xdg") << u"home/.local/share/quorra-wizard"_s;
}

void TestLauncher::dataHome() {
    QFETCH(QByteArray, xdgDataHome);
    QFETCH(QString, folder);
    xdgDataHome.replace('@', m_root->path().toUtf8());
    QCOMPARE(launch(&xdgDataHome), path(folder));
    QCOMPARE(readFile(path(folder + u"/Theme.txt"_s)), readFile(path(u"program/Theme.txt"_s)));
}

QTEST_GUILESS_MAIN(TestLauncher)
#include "tst_launcher.moc"
