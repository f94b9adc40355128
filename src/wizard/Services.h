#pragma once

#include "despatch/PrinterService.h"
#include "entry/FileDialogService.h"
#include "page/ProgramLauncher.h"
#include "wizard/CursorService.h"
#include "wizard/MessageService.h"

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
