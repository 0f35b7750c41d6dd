#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// The base of every command-line mode. A command declares its name, its files and its switches;
// one parser (command_line.h) reads every command's line from them and one help text describes
// them all, so adding a mode is one new file and one line in the list of commands.

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // a Polish message on stderr says why
inline constexpr int kExitUsage = 2;    // the command line is wrong: the usage on stderr

// A switch: with a value name it takes a value and may be given any number of times; without
// one it is a flag that is either given or not.
struct CommandOption {
    QString name;       // "--document"
    QString valueName;  // "NAZWA|NUMER"; empty for a flag ("--force")
    QString help;       // one line for the help text

    bool isFlag() const { return valueName.isEmpty(); }
    // "--document NAZWA|NUMER", "--force"
    QString usage() const { return isFlag() ? name : name + QLatin1Char(' ') + valueName; }
};

// A file named on the command line, with the bytes the system passed: a name that is not UTF-8
// does not survive the conversion to `path`, and the command must say so instead of using it.
struct CommandFile {
    QString path;
    QByteArray native;
};

struct CommandLine {
    QList<CommandFile> files;           // in the order given
    QMap<QString, QStringList> values;  // switch name -> its values in the order given
    QStringList flags;                  // the flags given

    bool hasFlag(const QString& name) const { return flags.contains(name); }
};

class Command {
public:
    virtual ~Command() = default;

    // "--list"; further names that mean the same ("-h" for "--help").
    virtual QString name() const = 0;
    virtual QStringList aliases() const { return {}; }
    // The placeholders of the files the command takes, in their order ("PLIK.smrk").
    virtual QStringList fileNames() const = 0;
    virtual QList<CommandOption> options() const { return {}; }
    // The help paragraph, one string per line, unindented.
    virtual QStringList description() const = 0;
    // Commands that lay out text need fonts, hence a GUI application (on the offscreen
    // platform: no display is ever used).
    virtual bool needsFonts() const { return false; }

    // Runs the parsed line; returns the exit status.
    virtual int run(const CommandLine& line) = 0;

    // "semrik --pdf WYNIK.pdf [--document NAZWA|NUMER]... PLIK.smrk": the first file, the
    // switches with values, the other files, the flags ("... WYNIK.smrk [--force]").
    QString synopsis() const;
};
