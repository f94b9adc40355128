#pragma once

#include <QDeadlineTimer>
#include <QProcess>
#include <QStringList>

namespace quorra::test {

// The page viewer program started on a page, its lock and socket in the folder runtime.
// With report set it prints "loaded <title>" or "failed <why>" for each page instead of
// telling the user; env adds or, with an empty value, removes variables.
struct ViewerProcess : QProcess {
    QStringList lines; // what it printed so far

    ViewerProcess(const QString& runtime, const QString& page, const QStringList& env = {},
                  bool report = true, const QString& workingFolder = {}) {
        QProcessEnvironment all = QProcessEnvironment::systemEnvironment();
        all.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        all.insert(QStringLiteral("QUORRA_VIEWER_REPORT"),
                   report ? QStringLiteral("1") : QStringLiteral("0"));
        for (const QString& setting : env) {
            const QString name = setting.section(u'=', 0, 0), value = setting.section(u'=', 1);
            value.isEmpty() ? all.remove(name) : all.insert(name, value);
        }
        setProcessEnvironment(all);
        setWorkingDirectory(workingFolder);
        start(QStringLiteral(QUORRA_APP_DIR "/MarlixExp"), {page});
        waitForStarted();
    }
    ~ViewerProcess() override {
        kill();
        waitForFinished();
    }
    // Waits until the viewer has printed this line; false when it ended or took too long.
    bool waitFor(const QString& line) {
        QDeadlineTimer deadline(60000);
        while (!lines.contains(line) && !deadline.hasExpired()) {
            if (canReadLine())
                lines.append(QString::fromUtf8(readLine()).trimmed());
            else if (!waitForReadyRead(int(deadline.remainingTime())))
                break;
        }
        return lines.contains(line) || (qWarning() << "printed:" << lines, false);
    }
    // Its exit code once it has ended, or -1 when it still runs after a few seconds.
    int endedWith() {
        waitForFinished(5000);
        return state() == NotRunning && exitStatus() == NormalExit ? exitCode() : -1;
    }
    bool running() const { return state() == Running; }
};

} // namespace quorra::test
