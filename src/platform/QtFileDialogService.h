#pragma once

#include "services/FileDialogService.h"

namespace quorra {

// The open-file dialog on QFileDialog: modal, no title or starting folder of our own.
class QtFileDialogService : public FileDialogService {
public:
    QString chooseFile(const QString& filterDescription, const QString& pattern) override;
};

} // namespace quorra
