#pragma once

#include "forms/prompter.h"

// The prompt seam for runs without a window: every message goes to stderr as its text, and no
// dialog ever waits for an answer. Questions get the cautious answer, file and input boxes are
// cancelled. Installed for as long as it lives.
class ConsolePrompter : public Prompter {
public:
    ConsolePrompter();
    ~ConsolePrompter() override;
    ConsolePrompter(const ConsolePrompter&) = delete;
    ConsolePrompter& operator=(const ConsolePrompter&) = delete;

    // True once an error or a warning was written: the run must not report success.
    bool failureReported() const { return m_failures > 0; }
    // How many errors and warnings were written, so a caller can tell which step failed.
    int failureCount() const { return m_failures; }

    PromptAnswer message(QWidget* parent, const QString& text, const QString& caption,
                         PromptIcon icon, PromptButtons buttons) override;
    QString openFileName(QWidget* parent, const FileDialogRequest& request) override;
    QString saveFileName(QWidget* parent, const FileDialogRequest& request) override;
    bool inputText(QWidget* parent, const QString& caption, const QString& label,
                   QString& value) override;
    bool printerSetup(QWidget* parent, QPrinter& printer) override;

private:
    int m_failures = 0;
};
