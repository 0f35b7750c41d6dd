#pragma once

#include <QStringList>

#include "prompter.h"

// The production prompter: Qt's own message boxes, file dialogs, input boxes and print dialog.
class QtPrompter : public Prompter {
public:
    PromptAnswer message(QWidget* parent, const QString& text, const QString& caption,
                         PromptIcon icon, PromptButtons buttons) override;
    QString openFileName(QWidget* parent, const FileDialogRequest& request) override;
    QString saveFileName(QWidget* parent, const FileDialogRequest& request) override;
    bool inputText(QWidget* parent, const QString& caption, const QString& label,
                   QString& value) override;
    bool printerSetup(QWidget* parent, QPrinter& printer) override;
};

// The caption given to message and input boxes that come without one: the program's title,
// as the desktop would show for an untitled box of the program. Qt's own fallback there is the
// executable's name.
void setUntitledBoxCaption(const QString& caption);
QString untitledBoxCaption();

// "Desc(*.a)|*.a|Other|*.b;*.c" -> {"Desc(*.a)", "Other (*.b *.c)"}: the name filters of a Qt
// file dialog. A description that already ends in its pattern is kept as it is.
QStringList qtNameFilters(const QString& pipeFilter);

// `fileName` with ".extension" appended when its last part has no extension of its own.
QString withDefaultExtension(const QString& fileName, const QString& extension);
