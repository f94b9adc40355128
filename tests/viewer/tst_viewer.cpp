#include "page/PageWriter.h"
#include "support/TestFolder.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

using namespace quorra;
using namespace quorra::test;
using namespace Qt::StringLiterals;

// Starts the real viewer offscreen; in its test mode it reports whether the page loaded
// and quits.
class TestViewer : public QObject {
    Q_OBJECT
private slots:
    void showsGeneratedPage();
    void missingPage();

private:
    struct Outcome {
        int exitCode = -1;
        QString output;
    };
    Outcome runViewer(const QStringList& arguments);
};

TestViewer::Outcome TestViewer::runViewer(const QStringList& arguments) {
    QProcess viewer;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QUORRA_VIEWER_REPORT_AND_QUIT"_s, u"1"_s);
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    viewer.setProcessEnvironment(env);
    viewer.setProcessChannelMode(QProcess::SeparateChannels);
    viewer.start(QStringLiteral(QUORRA_APP_DIR "/MarlixExp"), arguments);
    if (!viewer.waitForFinished(90000)) {
        viewer.kill();
        viewer.waitForFinished();
    }
    return {viewer.exitStatus() == QProcess::NormalExit ? viewer.exitCode() : -1,
            QString::fromUtf8(viewer.readAllStandardOutput()).trimmed()};
}

void TestViewer::showsGeneratedPage() {
    // A folder whose name has blanks, quotes and a non-ASCII letter, as the page path does.
    TestFolder outer(TestFolder::Empty);
    const QString app = outer.filePath(u"Zoë's \"shop\" files"_s);
    QVERIFY(QDir().mkpath(app));
    QFile::copy(QStringLiteral(QUORRA_SOURCE_DATA "/Classic.txt"), app + u"/Classic.txt"_s);
    const PageResult result =
        generatePageFile(app, u"Classic blue"_s, {{u"txtCompanyName"_s, u"Café – 中文"_s}});
    QVERIFY2(result.ok, qPrintable(result.error));
    const Outcome outcome = runViewer({QDir::toNativeSeparators(pageFileName(app, u"Classic blue"_s))});
    QCOMPARE(outcome.output, u"loaded Café – 中文"_s);
    QCOMPARE(outcome.exitCode, 0);
}

void TestViewer::missingPage() {
    TestFolder folder(TestFolder::Empty);
    const QString page = folder.filePath(u"Nothing.html"_s);
    const Outcome outcome = runViewer({page});
    QCOMPARE(outcome.output, u"failed The page \""_s + page + u"\" does not exist."_s);
    QCOMPARE(outcome.exitCode, 1);
}

QTEST_GUILESS_MAIN(TestViewer)
#include "tst_viewer.moc"
