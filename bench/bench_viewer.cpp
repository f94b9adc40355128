// bench_viewer: how quickly the page preview shows the latest page, and how much memory
// the viewer holds, over six presses of View Page. It runs the real viewer, MarlixExp, from
// the build's application folder on pages the real generator writes, offscreen, with its
// own runtime folder (so a viewer the user has open is not touched).
//
//   bench_viewer            the whole run
//   bench_viewer --bare P   (used by the run) a bare QWebEngineView that loads page P once

#include "page/PageWriter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int Presses = 6;
constexpr int ColdRounds = 3;

// A program started with the viewer's environment, whose printed lines can be awaited.
struct Program {
    QProcess process;
    QElapsedTimer clock;

    Program(const QString& runtime, const QString& program, const QStringList& arguments) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"QUORRA_VIEWER_REPORT"_s, u"1"_s);
        env.insert(u"XDG_RUNTIME_DIR"_s, runtime);
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::SeparateChannels);
        process.setStandardErrorFile(QProcess::nullDevice());
        clock.start();
        process.start(program, arguments);
    }
    ~Program() {
        process.kill();
        process.waitForFinished();
    }
    // Milliseconds from since (the program's start when not given) until the program printed
    // the line, or -1.
    double waitFor(const QString& line, const QElapsedTimer* since = nullptr) {
        while (process.canReadLine() || process.waitForReadyRead(30000)) {
            while (process.canReadLine()) {
                if (QString::fromUtf8(process.readLine()).trimmed() == line)
                    return double((since ? since : &clock)->nsecsElapsed()) / 1e6;
            }
        }
        return -1;
    }
};

// The proportional share of memory (PSS, KiB) of a process and all its descendants.
qint64 pssKiB(qint64 root) {
    std::vector<std::pair<qint64, qint64>> parents; // pid, parent pid
    for (const QString& entry : QDir(u"/proc"_s).entryList(QDir::Dirs)) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        QFile stat(u"/proc/"_s + entry + u"/stat"_s);
        if (!isPid || !stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1)
            parents.emplace_back(pid, fields[1].toLongLong());
    }
    std::vector<qint64> tree{root};
    for (std::size_t i = 0; i < tree.size(); ++i)
        for (const auto& [pid, parent] : parents)
            if (parent == tree[i])
                tree.push_back(pid);
    qint64 total = 0;
    for (const qint64 pid : tree) {
        QFile rollup(u"/proc/"_s + QString::number(pid) + u"/smaps_rollup"_s);
        if (!rollup.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : rollup.readAll().split('\n'))
            if (line.startsWith("Pss:"))
                total += line.mid(4).trimmed().split(' ').first().toLongLong();
    }
    return total;
}

// Writes the Classic page for a company name, as View Page does.
QString writePage(const QString& folder, const QString& company) {
    const quorra::PageResult result = quorra::generatePageFile(folder, u"Classic blue"_s,
                                                               {{u"txtCompanyName"_s, company},
                                                                {u"txtCompanyAddress"_s, u"1 High Street"_s},
                                                                {u"txtContactName"_s, u"Ann Smith"_s}});
    if (!result.ok)
        std::fprintf(stderr, "%s\n", qPrintable(result.error));
    return quorra::pageFileName(folder, u"Classic blue"_s);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int bare(const QString& page) {
    QWebEngineView view;
    view.resize(1024, 768);
    QObject::connect(&view, &QWebEngineView::loadFinished, [&view](bool ok) {
        std::printf("%s\n", ok ? qPrintable(u"loaded "_s + view.title()) : "failed");
        std::fflush(stdout);
    });
    view.setUrl(QUrl::fromLocalFile(page));
    view.show();
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[]) {
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    if (argc == 3 && QByteArrayView(argv[1]) == "--bare")
        return bare(QString::fromLocal8Bit(argv[2]));

    QTemporaryDir runtime, folder;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::copy(QStringLiteral(QUORRA_APP_DIR "/Classic.txt"), folder.filePath(u"Classic.txt"_s));
    const QString viewer = QStringLiteral(QUORRA_APP_DIR "/MarlixExp");
    bool ok = true;

    std::printf("bench_viewer: the viewer MarlixExp, offscreen, a Classic page of the required details\n\n");
    std::printf("1. Cold start, program start to the page loaded; median of %d fresh processes\n",
                ColdRounds);
    std::vector<double> bareTimes, viewerTimes;
    for (int round = 0; round < ColdRounds; ++round) {
        const QString page = writePage(folder.path(), u"Cold %1"_s.arg(round));
        Program bareView(runtime.path(), QCoreApplication::applicationFilePath(), {u"--bare"_s, page});
        bareTimes.push_back(bareView.waitFor(u"loaded Cold %1"_s.arg(round)));
        Program first(runtime.path(), viewer, {page});
        viewerTimes.push_back(first.waitFor(u"loaded Cold %1"_s.arg(round)));
    }
    std::printf("   bare QWebEngineView   %7.0f ms\n", median(bareTimes));
    std::printf("   MarlixExp             %7.0f ms\n\n", median(viewerTimes));

    std::printf("2. %d presses of View Page on a running viewer, each with a new company name:\n", Presses);
    std::printf("   press to the new page loaded, and the PSS of the viewer and its engine processes\n");
    std::printf("   press    shown ms  hand-over exit ms   PSS MiB\n");
    Program running(runtime.path(), viewer, {writePage(folder.path(), u"Start"_s)});
    const double start = running.waitFor(u"loaded Start"_s);
    QThread::msleep(500);
    const qint64 startPss = pssKiB(running.process.processId());
    std::printf("   start    %8.0f  %17s  %8.1f\n", start, "-", double(startPss) / 1024);
    qint64 firstPss = 0, lastPss = 0;
    double slowest = 0;
    for (int press = 1; press <= Presses; ++press) {
        const QString company = u"Company %1"_s.arg(press);
        const QString page = writePage(folder.path(), company);
        Program second(runtime.path(), viewer, {page});
        const double shown = running.waitFor(u"loaded "_s + company, &second.clock);
        second.process.waitForFinished(10000);
        const double exited = double(second.clock.nsecsElapsed()) / 1e6;
        ok = ok && shown >= 0 && second.process.exitCode() == 0;
        slowest = std::max(slowest, shown);
        QThread::msleep(500);
        const qint64 pss = pssKiB(running.process.processId());
        (press == 1 ? firstPss : lastPss) = pss;
        std::printf("   %-5d    %8.0f  %17.0f  %8.1f\n", press, shown, exited, double(pss) / 1024);
    }
    std::printf("\n   slowest press to shown: %.0f ms; PSS after press %d / after press 1: %.2fx "
                "(/ after the start: %.2fx)\n",
                slowest, Presses, double(lastPss) / double(firstPss), double(lastPss) / double(startPss));
    return ok ? 0 : 1;
}
