#include "platform/QtFileDialogService.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>

namespace quorra {

QString QtFileDialogService::chooseFile(const QString& filterDescription, const QString& pattern) {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilter(filterDescription);
    // The dialog reads its pattern from the description's parentheses ("*.*", which
    // hides names without a dot here); the files it shows follow our pattern instead.
    if (auto* model = dialog.findChild<QFileSystemModel*>())
        model->setNameFilters({pattern});
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.front();
}

} // namespace quorra
