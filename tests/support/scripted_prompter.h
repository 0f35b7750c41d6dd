#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>

#include "forms/prompter.h"

// A test double of the prompt seam. The test queues the dialogs it expects, in order, each with
// the answer to give; the code under test then meets them one by one. A dialog that differs from
// the next expectation, or comes when none is left, is recorded (and answered with the set's
// negative answer, so the code under test takes its most careful path); the test finishes with
// QVERIFY_PROMPTS, which fails on any recorded mismatch or an expectation left unmet.
//
//   ScriptedPrompter prompts;   // installed until it goes out of scope
//   prompts.expectMessage("Czy na pewno chcesz zakończyć pracę ?", "Koniec",
//                         PromptIcon::Question, PromptButtons::YesNo, PromptAnswer::No);
//   window.close();
//   QVERIFY_PROMPTS(prompts);
class ScriptedPrompter : public Prompter {
public:
    ScriptedPrompter();
    ~ScriptedPrompter() override;
    ScriptedPrompter(const ScriptedPrompter&) = delete;
    ScriptedPrompter& operator=(const ScriptedPrompter&) = delete;

    ScriptedPrompter& expectMessage(const QString& text, const QString& caption, PromptIcon icon,
                                    PromptButtons buttons, PromptAnswer answer = PromptAnswer::Ok);
    // For texts that end in run-time detail (an error stream, a path): only the start is fixed.
    ScriptedPrompter& expectMessageStartingWith(const QString& textStart, const QString& caption,
                                                PromptIcon icon, PromptButtons buttons,
                                                PromptAnswer answer = PromptAnswer::Ok);
    // `answer` "" plays a cancelled dialog.
    ScriptedPrompter& expectOpenFile(const QString& title, const QString& filter,
                                     const QString& answer);
    ScriptedPrompter& expectSaveFile(const QString& title, const QString& filter,
                                     const QString& answer);
    // The last queued file dialog must also propose this default extension and file name.
    ScriptedPrompter& withFileDefaults(const QString& defaultExtension, const QString& fileName);
    // std::nullopt plays Cancel; `initial` is the text the box must start with.
    ScriptedPrompter& expectInput(const QString& caption, const QString& label,
                                  const QString& initial, std::optional<QString> answer);
    // The printer set-up dialog: `accept` false plays Cancel; `choose` plays the user's choices
    // on the printer before the dialog is confirmed.
    ScriptedPrompter& expectPrinterSetup(bool accept, std::function<void(QPrinter&)> choose = {});
    // Runs `action` while the last queued dialog is "open" (to look at the program's state then).
    ScriptedPrompter& whileShown(std::function<void()> action);

    // True when every expectation was met in order and nothing else was asked.
    bool finished() const;
    // What went wrong, for the failure message; also lists every dialog seen.
    QString report() const;

    PromptAnswer message(QWidget* parent, const QString& text, const QString& caption,
                         PromptIcon icon, PromptButtons buttons) override;
    QString openFileName(QWidget* parent, const FileDialogRequest& request) override;
    QString saveFileName(QWidget* parent, const FileDialogRequest& request) override;
    bool inputText(QWidget* parent, const QString& caption, const QString& label,
                   QString& value) override;
    bool printerSetup(QWidget* parent, QPrinter& printer) override;

private:
    enum class Kind { Message, OpenFile, SaveFile, Input, PrinterSetup };
    struct Expectation {
        Kind kind = Kind::Message;
        QString text;  // message text, file dialog title or input label
        bool textIsPrefix = false;
        QString caption;  // message or input caption; file dialog filter
        PromptIcon icon = PromptIcon::None;
        PromptButtons buttons = PromptButtons::Ok;
        PromptAnswer answer = PromptAnswer::Ok;
        QString initial;  // input box start text
        std::optional<QString> defaultExtension;  // file dialogs; unchecked when unset
        std::optional<QString> fileName;
        std::optional<QString> textAnswer;
        std::function<void()> whileShown;
        std::function<void(QPrinter&)> choosePrinter;
        QString describe() const;
        QString describeFileDefaults() const;
    };

    ScriptedPrompter& push(Expectation expectation);
    // The next expectation when it matches `seen`; otherwise records why and returns nullopt.
    std::optional<Expectation> take(const Expectation& seen);
    QString fileDialog(Kind kind, const FileDialogRequest& request);

    std::deque<Expectation> m_expected;
    QStringList m_problems;
    QStringList m_seen;
};

#define QVERIFY_PROMPTS(scripted) QVERIFY2((scripted).finished(), qPrintable((scripted).report()))

// Readable names in failure messages.
QString toString(PromptIcon icon);
QString toString(PromptButtons buttons);
QString toString(PromptAnswer answer);
