#include "console_prompter.h"

#include "console.h"

ConsolePrompter::ConsolePrompter() {
    setPrompter(this);
}

ConsolePrompter::~ConsolePrompter() {
    setPrompter(nullptr);
}

PromptAnswer ConsolePrompter::message(QWidget* parent, const QString& text, const QString& caption,
                                      PromptIcon icon, PromptButtons buttons) {
    Q_UNUSED(parent);
    Q_UNUSED(caption);
    if (icon == PromptIcon::Error || icon == PromptIcon::Warning) ++m_failures;
    bFunWriteConsole(stderr, text + QLatin1Char('\n'));
    return cautiousAnswer(buttons);
}

QString ConsolePrompter::openFileName(QWidget* parent, const FileDialogRequest& request) {
    Q_UNUSED(parent);
    Q_UNUSED(request);
    return QString();
}

QString ConsolePrompter::saveFileName(QWidget* parent, const FileDialogRequest& request) {
    Q_UNUSED(parent);
    Q_UNUSED(request);
    return QString();
}

bool ConsolePrompter::inputText(QWidget* parent, const QString& caption, const QString& label,
                                QString& value) {
    Q_UNUSED(parent);
    Q_UNUSED(caption);
    Q_UNUSED(label);
    Q_UNUSED(value);
    return false;
}

bool ConsolePrompter::printerSetup(QWidget* parent, QPrinter& printer) {
    Q_UNUSED(parent);
    Q_UNUSED(printer);
    return false;
}
