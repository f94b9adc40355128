#include "platform/QtProgramLauncher.h"

#include <QFileInfo>
#include <QProcess>

namespace quorra {

bool QtProgramLauncher::startDetached(const QString& program, const QStringList& arguments) {
    const QFileInfo info(program);
    if (!info.isFile() || !info.isExecutable())
        return false;
    return QProcess::startDetached(program, arguments, info.absolutePath());
}

} // namespace quorra
