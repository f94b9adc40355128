#pragma once

#include "services/CursorService.h"
#include "services/FileDialogService.h"
#include "services/MessageService.h"
#include "services/PrinterService.h"
#include "services/ProgramLauncher.h"

namespace quorra {

// The platform services the main window works through; tests hand in fakes.
struct Services {
    MessageService& messages;
    CursorService& cursor;
    FileDialogService& fileDialog;
    ProgramLauncher& launcher;
    PrinterService& printer;
};

} // namespace quorra
