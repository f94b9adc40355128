// bench_page: how fast the page generator runs, how much memory it takes, how long the
// main window needs from its creation to its first paint, and how long a field takes a
// pasted megabyte. It prints one table; the figures and how to read them are in
// docs/performance.md.
//
//   bench_page [--app-folder DIR] [--only throughput|themes|memory|window|paste]
//
// Each benchmark has a file of its own (bench_page.h lists them). The memory cases, the
// window and the paste run in fresh child processes of this program (the same executable
// started with --memory-child, --window-child or --paste-child), so that each peak memory
// figure and each cold start belong to that case alone.

#include "bench_page.h"
#include "bench_support.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>

#ifndef QUORRA_APP_DIR
#define QUORRA_APP_DIR "."
#endif

using namespace Qt::StringLiterals;
using namespace quorra::bench;

int main(int argc, char* argv[]) {
    if (argc >= 2 && qstrcmp(argv[1], "--window-child") == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        const QStringList args = QCoreApplication::arguments();
        return windowChild(args.size() > 2 ? args.at(2) : QString::fromUtf8(QUORRA_APP_DIR));
    }
    if (argc >= 2 && qstrcmp(argv[1], "--paste-child") == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        return pasteChild();
    }
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    if (args.size() >= 2 && args.at(1) == u"--memory-child"_s)
        return memoryChild(args.mid(2));

    QString appFolder = QString::fromUtf8(QUORRA_APP_DIR);
    if (const qsizetype at = args.indexOf(u"--app-folder"_s); at > 0 && at + 1 < args.size())
        appFolder = args.at(at + 1);
    appFolder = QDir(appFolder).absolutePath();

    QElapsedTimer total;
    total.start();
    say(u"bench_page: Qt %1, %2 logical CPUs, %3"_s.arg(QString::fromLatin1(qVersion()))
            .arg(QThread::idealThreadCount())
            .arg(cpuModel()));
    say(u"load average at start: "_s +
        QString::fromLatin1(readProcFile(u"/proc/loadavg"_s).split(' ').mid(0, 3).join(' ')));
    say(u"application folder: "_s + appFolder);

    QTemporaryDir dir;
    if (!dir.isValid()) {
        say(u"could not create a temporary folder"_s);
        return 1;
    }
    say(u"work folder: "_s + dir.path());
    say(u""_s);

    // --only NAME runs one section.
    QString only;
    if (const qsizetype at = args.indexOf(u"--only"_s); at > 0 && at + 1 < args.size())
        only = args.at(at + 1);
    const auto wanted = [&only](const QString& section) { return only.isEmpty() || only == section; };

    const QList<quorra::PageField> fields = richEntry(appFolder);
    bool ok = true;
    if (wanted(u"throughput"_s))
        ok = throughput(dir.path(), fields) && ok;
    if (wanted(u"themes"_s))
        ok = shippedThemes(dir.path(), appFolder, fields) && ok;
    if (wanted(u"memory"_s))
        ok = peakMemory(dir.path(), appFolder) && ok;
    if (wanted(u"window"_s))
        ok = firstPaint(appFolder) && ok;
    if (wanted(u"paste"_s))
        ok = pasteIntoFields(appFolder) && ok;

    say(u""_s);
    say(u"total %1 s"_s.arg(num(double(total.elapsed()) / 1000, 1)));
    return ok ? 0 : 1;
}
