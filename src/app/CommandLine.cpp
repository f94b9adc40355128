#include "app/CommandLine.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace quorra {

namespace {

const auto Help = uR"(Usage: quorra-wizard [--app-folder FOLDER]
       quorra-wizard --help | --version
Builds a one-page shop for the Marlix publishing service in fifteen steps.

Options:
  --app-folder FOLDER  Read the theme catalogue, help file, templates and images
                       from FOLDER and write the page into it. Without it, the
                       program's own folder; the quorra-wizard launcher gives
                       each user a folder of their own.
  -h, --help           Show this help and exit.
  -v, --version        Show the version and exit.
)"_s;

} // namespace

CommandLine parseCommandLine(const QStringList& arguments, const QString& executableFolder,
                             const QString& version) {
    const QString option = u"--app-folder"_s;
    bool help = false;
    bool showVersion = false;
    QString folder;
    QString error;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == u"-h" || argument == u"--help") {
            help = true;
        } else if (argument == u"-v" || argument == u"--version") {
            showVersion = true;
        } else if (argument == option || argument.startsWith(option + u'=')) {
            folder = argument == option ? arguments.value(++i) : argument.mid(option.size() + 1);
            if (folder.isEmpty() && error.isEmpty())
                error = u"option '--app-folder' needs a folder"_s;
        } else if (error.isEmpty()) {
            error = (argument.startsWith(u'-') ? u"unknown option '%1'"_s : u"unexpected argument '%1'"_s)
                        .arg(argument);
        }
    }
    if (help)
        return {CommandLine::ShowHelp, {}, Help};
    if (showVersion)
        return {CommandLine::ShowVersion, {}, u"Quorra Development Wizard %1\n"_s.arg(version)};
    if (!error.isEmpty())
        return {CommandLine::Refuse, {}, u"quorra-wizard: %1. Try 'quorra-wizard --help'.\n"_s.arg(error)};
    return {CommandLine::Start, folder.isEmpty() ? executableFolder : QDir(folder).absolutePath(), {}};
}

} // namespace quorra
