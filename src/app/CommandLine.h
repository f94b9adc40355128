#pragma once

#include <QString>
#include <QStringList>

namespace quorra {

// What the wizard's command line asks for.
struct CommandLine {
    enum Action { Start, ShowHelp, ShowVersion, Refuse };
    Action action = Start;
    // Start: the application folder, absolute.
    QString appFolder;
    // ShowHelp and ShowVersion: the text for standard output; Refuse: the one line for
    // standard error.
    QString text;
};

// Reads the arguments, the program's name first. --help (-h) and --version (-v) win over
// anything else; "--app-folder FOLDER" or "--app-folder=FOLDER" names the application
// folder, made absolute (without it, the executable's folder); any other argument is
// refused.
CommandLine parseCommandLine(const QStringList& arguments, const QString& executableFolder,
                             const QString& version);

} // namespace quorra
