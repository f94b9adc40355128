#include "page/PageWriter.h"
#include "support/TestFolder.h"

#include <QtTest>

using namespace quorra;
using namespace quorra::test;
using namespace Qt::StringLiterals;

// Starts the real viewer offscreen; in its test mode it reports whether the page loaded
// and quits.
class TestViewer : public QObject {
    Q_OBJECT
    // What the viewer printed, and its exit code after a "|".
    static QString runViewer(const QString& page) {
        QProcess viewer;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"QUORRA_VIEWER_REPORT_AND_QUIT"_s, u"1"_s);
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        viewer.setProcessEnvironment(env);
        viewer.start(QStringLiteral(QUORRA_APP_DIR "/MarlixExp"), {page});
        const bool exited = viewer.waitForFinished(90000) && viewer.exitStatus() == QProcess::NormalExit;
        return QString::fromUtf8(viewer.readAllStandardOutput()).trimmed() + u'|' +
               QString::number(exited ? viewer.exitCode() : -1);
    }

private slots:
    void showsGeneratedPage() {
        // A folder whose name has blanks, quotes and a non-ASCII letter, as the page path does.
        TestFolder outer(TestFolder::Empty);
        const QString app = outer.filePath(u"Zoë's \"shop\" files"_s);
        QVERIFY(QDir().mkpath(app));
        QFile::copy(QStringLiteral(QUORRA_SOURCE_DATA "/Classic.txt"), app + u"/Classic.txt"_s);
        const PageResult result =
            generatePageFile(app, u"Classic blue"_s, {{u"txtCompanyName"_s, u"Café – 中文"_s}});
        QVERIFY2(result.ok, qPrintable(result.error));
        const QString page = QDir::toNativeSeparators(pageFileName(app, u"Classic blue"_s));
        QCOMPARE(runViewer(page), u"loaded Café – 中文|0"_s);
    }

    void missingPage() {
        TestFolder folder(TestFolder::Empty);
        const QString page = folder.filePath(u"Nothing.html"_s);
        QCOMPARE(runViewer(page), u"failed The page \""_s + page + u"\" does not exist.|1"_s);
    }
};

QTEST_GUILESS_MAIN(TestViewer)
#include "tst_viewer.moc"
