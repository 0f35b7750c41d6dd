#include "command_line.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>

#include <cerrno>
#include <cstring>
#include <memory>

#include "console.h"
#include "help_command.h"
#include "import_srk_command.h"
#include "list_command.h"
#include "pdf_command.h"
#include "test_sheet_command.h"

namespace {

Command* commandNamed(const char* argument) {
    const QString name = QString::fromUtf8(argument);
    for (Command* command : commands()) {
        if (command->name() == name || command->aliases().contains(name)) return command;
    }
    return nullptr;
}

const CommandOption* optionNamed(const QList<CommandOption>& options, const QString& name) {
    for (const CommandOption& option : options) {
        if (option.name == name) return &option;
    }
    return nullptr;
}

int usageError(const QString& text) {
    bFunWriteConsole(stderr, text);
    return kExitUsage;
}

int runWithApplication(Command& command, const CommandLine& line, int& argc, char** argv) {
    if (command.needsFonts()) {
        // No window is ever shown: the offscreen platform works with or without a display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        const QGuiApplication application(argc, argv);
        return command.run(line);
    }
    const QCoreApplication application(argc, argv);
    return command.run(line);
}

}  // namespace

const QList<Command*>& commands() {
    static ListCommand list;
    static PdfCommand pdf;
    static TestSheetCommand testSheet;
    static ImportSrkCommand importSrk;
    static HelpCommand help;
    static const QList<Command*> all{&list, &pdf, &testSheet, &importSrk, &help};
    return all;
}

bool isCommandLineMode(int argc, char** argv) {
    return argc >= 2 && (std::strncmp(argv[1], "--", 2) == 0 || std::strcmp(argv[1], "-h") == 0);
}

bool bFunParseCommandLine(const Command& command, int argc, char** argv, CommandLine& line) {
    const QList<CommandOption> options = command.options();
    for (int i = 2; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument.startsWith("--")) {
            const CommandOption* option = optionNamed(options, QString::fromUtf8(argument));
            if (!option) return false;
            if (option->isFlag()) {
                if (!line.hasFlag(option->name)) line.flags << option->name;
                continue;
            }
            if (++i >= argc) return false;
            line.values[option->name] << QString::fromUtf8(argv[i]);
        } else {
            line.files << CommandFile{QFile::decodeName(argument), argument};
        }
    }
    return line.files.size() == command.fileNames().size();
}

int iFunRunCommandLine(int& argc, char** argv) {
    vFunGuardStandardStreams();
    Command* command = commandNamed(argv[1]);
    if (!command) return usageError(strFunUsageText());
    CommandLine line;
    if (!bFunParseCommandLine(*command, argc, argv, line))
        return usageError(QStringLiteral("Użycie: ") + command->synopsis() + QLatin1Char('\n'));

    int status = runWithApplication(*command, line, argc, argv);
    // Whatever reached stdout only in part is no success, even if the command did not notice.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        const int code = errno;
        if (status == kExitSuccess) {
            bFunWriteConsole(stderr, QStringLiteral("Nie można pisać na standardowe wyjście: ") +
                                         strFunConsoleErrorReason(code) + QLatin1Char('\n'));
        }
        status = kExitFailure;
    }
    return status;
}
