#pragma once

#include <QString>

class QFile;

namespace quorra {

// Opens the file (named when it was made) for reading only when it is a regular file, a
// link to one followed. A FIFO, a device or a socket is refused at once, never waited on
// (a FIFO without a writer would block the open for ever, a device may never end). On
// failure the reason is put into error.
bool openRegularFile(QFile& file, QString* error = nullptr);

} // namespace quorra
