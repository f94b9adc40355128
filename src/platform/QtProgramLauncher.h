#pragma once

#include "services/ProgramLauncher.h"

namespace quorra {

// Starts programs with QProcess, detached from the wizard.
class QtProgramLauncher : public ProgramLauncher {
public:
    bool startDetached(const QString& program, const QStringList& arguments) override;
};

} // namespace quorra
