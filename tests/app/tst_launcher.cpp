#include "support/TestFolder.h"

#include <QtTest>

using namespace quorra::test;
using namespace Qt::StringLiterals;

// The installed launcher: it gives each user an application folder of their own, keeps it
// whole and current, and starts the wizard on it. The program folder holds the shipped data
// and, in place of the two programs, scripts that note how they were started.
class TestLauncher : public QObject {
    Q_OBJECT
    std::unique_ptr<TestFolder> m_root;
    QStringList m_shipped;
    const QString m_user = u"home/.local/share/quorra-wizard/"_s;

    QString path(const QString& name) const { return m_root->filePath(name); }

    // Runs the launcher with HOME in the temporary folder; returns the arguments the wizard
    // was started with, or what went wrong.
    QStringList launch(const QStringList& arguments = {}) {
        QProcess launcher;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"HOME"_s, path(u"home"_s));
        env.insert(u"QUORRA_WIZARD_PROGRAM_DIR"_s, path(u"program"_s));
        env.remove(u"DISPLAY"_s); // no message on the desktop
        env.remove(u"WAYLAND_DISPLAY"_s);
        launcher.setProcessEnvironment(env);
        launcher.setWorkingDirectory(path(u"home"_s));
        launcher.start(QStringLiteral(QUORRA_LAUNCHER), arguments);
        if (!launcher.waitForFinished(30000) || launcher.exitCode() != 0)
            return {u"failed"_s, QString::fromUtf8(launcher.readAllStandardError())};
        const QStringList started = QString::fromUtf8(m_root->read(u"home/started"_s)).split(u'\n');
        QFile::remove(path(u"home/started"_s));
        return started.mid(0, started.size() - 1);
    }
    QStringList startedOn(const QString& folder) const {
        return {u"--app-folder"_s, path(folder).chopped(1)};
    }

    // The user's folder: every file, hidden ones included, with its bytes.
    QMap<QString, QByteArray> userFiles() const {
        QMap<QString, QByteArray> files;
        QDirIterator it(path(m_user), QDir::Files | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            files[QDir(path(m_user)).relativeFilePath(file)] = readFile(file);
        }
        return files;
    }
    // What the user's folder holds when it has every shipped file as shipped, besides the
    // record of the copies.
    QMap<QString, QByteArray> shippedFiles() const {
        QMap<QString, QByteArray> files{{u"MarlixExp"_s, m_root->read(u"program/MarlixExp"_s)}};
        for (const QString& name : std::as_const(m_shipped))
            files[name] = m_root->read(u"program/"_s + name);
        return files;
    }
    void ship(const QString& name, const QByteArray& bytes) {
        m_root->write(u"program/"_s + name, bytes);
        if (!m_shipped.contains(name))
            m_shipped.append(name);
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
        const QStringList options{u"-style"_s, u"a b"_s}; // the wizard's, passed on
        QCOMPARE(launch(options), startedOn(m_user) + options);
        QMap<QString, QByteArray> files = userFiles();
        QVERIFY(files.remove(u".shipped.sha256"_s));
        QCOMPARE(files, shippedFiles());
        QCOMPARE(QFile::symLinkTarget(path(m_user + u"MarlixExp"_s)), path(u"program/MarlixExp"_s));
    }

    void laterStartsRestoreMissingCopies() {
        QCOMPARE(launch(), startedOn(m_user));
        const QStringList mine{u"Theme.txt"_s, u"Classic.txt"_s, u"Classic.html"_s};
        for (const QString& name : mine)
            m_root->write(m_user + name, "edited " + name.toUtf8());
        for (const QString& name : {u"marlixhlp.dat"_s, u"images/visa.gif"_s, u"MarlixExp"_s})
            QVERIFY(QFile::remove(path(m_user + name)));
        m_root->write(m_user + u".Theme.txt.part"_s, "cut short");

        QCOMPARE(launch(), startedOn(m_user));
        QVERIFY(!QFile::exists(path(m_user + u".Theme.txt.part"_s)));
        for (const QString& name : mine)
            QCOMPARE(m_root->read(m_user + name), "edited " + name.toUtf8());
        for (const QString& name : {u"marlixhlp.dat"_s, u"images/visa.gif"_s})
            QCOMPARE(m_root->read(m_user + name), m_root->read(u"program/"_s + name));
        QCOMPARE(QFile::symLinkTarget(path(m_user + u"MarlixExp"_s)), path(u"program/MarlixExp"_s));
    }

    void upgrade_data() {
        QTest::addColumn<bool>("edited");
        QTest::addColumn<bool>("earlierLauncher");
        QTest::newRow("not edited") << false << false;
        QTest::newRow("edited") << true << false;
        QTest::newRow("not edited, earlier launcher") << false << true;
        QTest::newRow("edited, earlier launcher") << true << true;
    }

    // A newer package: a corrected theme, a new one in the catalogue, one no longer shipped.
    void upgrade() {
        QFETCH(bool, edited);
        QFETCH(bool, earlierLauncher);
        ship(u"Classic.txt"_s, "Classic 1");
        QCOMPARE(launch(), startedOn(m_user));
        QMap<QString, QByteArray> expected = shippedFiles();
        if (earlierLauncher) { // which kept no record; the new one knows what it shipped
            QVERIFY(QFile::remove(path(m_user + u".shipped.sha256"_s)));
            QByteArray earlier;
            for (const QString& name : {u"Classic.txt"_s, u"Theme.txt"_s})
                earlier +=
                    QCryptographicHash::hash(m_root->read(u"program/"_s + name), QCryptographicHash::Sha256)
                        .toHex() +
                    "  " + name.toUtf8() + '\n';
            m_root->write(u"program/shipped-earlier.sha256"_s, earlier);
        }
        if (edited) {
            expected[u"Classic.txt"_s] = "my Classic";
            m_root->write(m_user + u"Classic.txt"_s, "my Classic");
        }
        ship(u"Classic.txt"_s, "Classic 2");
        ship(u"Zest.txt"_s, "Zest");
        ship(u"Theme.txt"_s, m_root->read(u"program/Theme.txt"_s) + "Zest\r\n");
        QVERIFY(QFile::remove(path(u"program/Orchard.txt"_s)));

        for (const QString& name : {u"Zest.txt"_s, u"Theme.txt"_s})
            expected[name] = m_root->read(u"program/"_s + name);
        expected[edited ? u"Classic.txt.new"_s : u"Classic.txt"_s] = "Classic 2";
        for (int start = 1; start <= 2; ++start) {
            QCOMPARE(launch(), startedOn(m_user));
            QMap<QString, QByteArray> files = userFiles();
            QVERIFY(files.remove(u".shipped.sha256"_s));
            QCOMPARE(files, expected);
            QFile::remove(path(m_user + u"Classic.txt.new"_s)); // the new version is put beside it once
            expected.remove(u"Classic.txt.new"_s);
        }
    }

    void fullDisk_data() {
        QTest::addColumn<bool>("firstStart");
        QTest::newRow("first start") << true;
        QTest::newRow("upgrade") << false;
    }

    // A copy the disk refuses leaves nothing behind and the wizard does not start; the
    // next start completes the folder.
    void fullDisk() {
        QFETCH(bool, firstStart);
        if (!firstStart)
            QCOMPARE(launch(), startedOn(m_user));
        QMap<QString, QByteArray> before = shippedFiles();
        before.remove(u"MarlixExp"_s);
        ship(u"images/visa.gif"_s, QByteArray(64 << 10, 'v'));
        if (firstStart)
            before.remove(u"images/visa.gif"_s);
        QStringList refused;
        {
            FileSizeLimit diskFull(32 << 10);
            refused = launch();
        }
        QCOMPARE(refused.value(0), u"failed"_s);
        QCOMPARE(
            refused.value(1).section(u'\n', -2),
            u"quorra-wizard: could not copy %1 to %2 (is the disk full?). The wizard does not start on an "
            "incomplete folder.\n"_s.arg(path(u"program/images/visa.gif"_s),
                                         path(m_user + u"images/visa.gif"_s)));
        QVERIFY(!QFile::exists(path(u"home/started"_s)));
        QMap<QString, QByteArray> files = userFiles();
        files.remove(u".shipped.sha256"_s);
        files.remove(u"MarlixExp"_s);
        QCOMPARE(files, before);

        QCOMPARE(launch(), startedOn(m_user));
        files = userFiles();
        QVERIFY(files.remove(u".shipped.sha256"_s));
        QCOMPARE(files, shippedFiles());
    }

    void optionsForTheWizardAlone_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("help") << QStringList{u"-x"_s, u"--help"_s};
        QTest::newRow("version") << QStringList{u"-v"_s};
        QTest::newRow("folder") << QStringList{u"--app-folder=/tmp/q"_s};
    }

    // They reach the wizard as given, and the launcher makes no folder of its own.
    void optionsForTheWizardAlone() {
        QFETCH(QStringList, arguments);
        QCOMPARE(launch(arguments), arguments);
        QVERIFY(!QFile::exists(path(u"home/.local"_s)));
    }

    void dataHome_data() {
        QTest::addColumn<QByteArray>("xdgDataHome");
        QTest::addColumn<QString>("folder");
        QTest::newRow("absolute") << QByteArray("@/xdg") << u"xdg/quorra-wizard/"_s;
        QTest::newRow("empty") << QByteArray() << m_user;
        QTest::newRow("relative") << QByteArray("xdg") << m_user;
    }

    void dataHome() {
        QFETCH(QByteArray, xdgDataHome);
        QFETCH(QString, folder);
        qputenv("XDG_DATA_HOME", xdgDataHome.replace('@', m_root->path().toUtf8()));
        QCOMPARE(launch(), startedOn(folder));
        QCOMPARE(m_root->read(folder + u"Theme.txt"_s), m_root->read(u"program/Theme.txt"_s));
    }
};

QTEST_GUILESS_MAIN(TestLauncher)
#include "tst_launcher.moc"
