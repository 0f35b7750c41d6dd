#pragma once

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

// The one way the program talks to the user through a modal dialog: message boxes, file
// dialogs, input boxes and the printer set-up dialog. Production shows Qt dialogs; tests
// install a scripted double.

enum class PromptIcon { None, Information, Warning, Error, Question };
// YesNoDefaultNo: the same two buttons, but Enter answers "Nie": for questions whose "Tak" would
// overwrite or drop something.
enum class PromptButtons { Ok, YesNo, YesNoCancel, OkCancel, YesNoDefaultNo };
enum class PromptAnswer { Ok, Cancel, Yes, No };

struct FileDialogRequest {
    QString title;
    QString filter;            // "Podstawowa 4-6(*.smrk)|*.smrk": description|pattern pairs
    QString defaultExtension;  // without the dot; added when the name has none
    QString fileName;          // proposed name (save) or start path
};

class Prompter {
public:
    virtual ~Prompter() = default;

    virtual PromptAnswer message(QWidget* parent, const QString& text, const QString& caption,
                                 PromptIcon icon, PromptButtons buttons) = 0;
    // An empty string means the user cancelled.
    virtual QString openFileName(QWidget* parent, const FileDialogRequest& request) = 0;
    virtual QString saveFileName(QWidget* parent, const FileDialogRequest& request) = 0;
    // Returns false when the user cancelled; `value` holds the initial text and the answer.
    virtual bool inputText(QWidget* parent, const QString& caption, const QString& label,
                           QString& value) = 0;
    // The printer set-up dialog over `printer`; false when the user cancelled. On true the
    // choices (printer, duplex, ...) are in `printer`.
    virtual bool printerSetup(QWidget* parent, QPrinter& printer) = 0;
};

// The careful answer of a button set, as if the user backed out: what a box closed by its title
// bar or Escape, or one that nobody can answer, gives.
PromptAnswer cautiousAnswer(PromptButtons buttons);

// The prompter in force; the Qt one unless a test installed another.
Prompter& prompter();
// Installs `replacement` (not owned); nullptr restores the Qt dialogs.
void setPrompter(Prompter* replacement);
