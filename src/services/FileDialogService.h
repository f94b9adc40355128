#pragma once

#include <QString>

namespace quorra {

// The open-file dialog behind the ".." picture buttons.
class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // Shows a modal open-file dialog with one filter entry (its description and its
    // pattern) and returns the full path of the chosen file, or an empty string.
    virtual QString chooseFile(const QString& filterDescription, const QString& pattern) = 0;
};

} // namespace quorra
