#pragma once

#include "support/TestFolder.h"

#include <QProcess>

namespace quorra::test {

// A CUPS scheduler of the test's own, run as the current user: configuration, spool and
// logs in a temporary folder, reached through a local socket that CUPS_SERVER names for
// this process. Its queue "summary" (US Letter with margins, from tests/data/letter.ppd)
// copies each job as it comes into jobFile().
class PrivateCups {
public:
    ~PrivateCups();

    // Starts the scheduler with the queue (not yet the default); empty on success, else why not.
    QString start();
    // Runs a CUPS command (lpadmin, cupsreject, cupsdisable, lpstat...) against it.
    bool run(const QString& program, const QStringList& arguments, QString* output = nullptr) const;
    // Stops the scheduler (SIGSTOP), as a hung print system is, or lets it go on (SIGCONT).
    void pause(bool paused);
    QString jobFile() const { return m_dir.filePath(QStringLiteral("out/job")); }

private:
    TestFolder m_dir{TestFolder::Empty};
    QProcess m_cupsd;
};

} // namespace quorra::test
