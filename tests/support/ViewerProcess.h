#pragma once

#include <QDeadlineTimer>
#include <QProcess>
#include <QStringList>

namespace quorra::test {

// The page viewer program started on a page, its lock and socket in the folder runtime, on
// the test's display or another. With report set it prints "loaded <title>" or "failed
// <why>" for each page instead of telling the user.
struct ViewerProcess : QProcess {
    QStringList lines; // what it printed so far

    ViewerProcess(const QString& runtime, const QString& page, const QString& display = {},
                  bool report = true, const QString& workingFolder = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        env.insert(QStringLiteral("QUORRA_VIEWER_REPORT"),
                   report ? QStringLiteral("1") : QStringLiteral("0"));
        if (!display.isEmpty())
            env.insert(QStringLiteral("DISPLAY"), display), env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        setProcessEnvironment(env);
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
        for (QDeadlineTimer deadline(60000); !lines.contains(line) && !deadline.hasExpired();) {
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
};

} // namespace quorra::test
