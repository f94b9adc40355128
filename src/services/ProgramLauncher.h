#pragma once

#include <QString>
#include <QStringList>

namespace quorra {

// Starts another program without waiting for it.
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    // Starts program with exactly these arguments (no shell between); false when it could
    // not be started.
    virtual bool startDetached(const QString& program, const QStringList& arguments) = 0;
};

} // namespace quorra
