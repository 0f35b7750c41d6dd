#include "scripted_prompter.h"

#include <QDebug>

#include <utility>

namespace {

QString quoted(const QString& text) {
    QString shown = text;
    shown.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

bool answerFits(PromptAnswer answer, PromptButtons buttons) {
    switch (buttons) {
        case PromptButtons::Ok:
            return answer == PromptAnswer::Ok;
        case PromptButtons::YesNo:
        case PromptButtons::YesNoDefaultNo:
            return answer == PromptAnswer::Yes || answer == PromptAnswer::No;
        case PromptButtons::YesNoCancel:
            return answer != PromptAnswer::Ok;
        case PromptButtons::OkCancel:
            return answer == PromptAnswer::Ok || answer == PromptAnswer::Cancel;
    }
    return false;
}

}  // namespace

QString toString(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::None:
            return QStringLiteral("no icon");
        case PromptIcon::Information:
            return QStringLiteral("information icon");
        case PromptIcon::Warning:
            return QStringLiteral("warning icon");
        case PromptIcon::Error:
            return QStringLiteral("error icon");
        case PromptIcon::Question:
            return QStringLiteral("question icon");
    }
    return QStringLiteral("?");
}

QString toString(PromptButtons buttons) {
    switch (buttons) {
        case PromptButtons::Ok:
            return QStringLiteral("OK");
        case PromptButtons::YesNo:
            return QStringLiteral("Yes/No");
        case PromptButtons::YesNoCancel:
            return QStringLiteral("Yes/No/Cancel");
        case PromptButtons::YesNoDefaultNo:
            return QStringLiteral("Yes/No (default No)");
        case PromptButtons::OkCancel:
            return QStringLiteral("OK/Cancel");
    }
    return QStringLiteral("?");
}

QString toString(PromptAnswer answer) {
    switch (answer) {
        case PromptAnswer::Ok:
            return QStringLiteral("Ok");
        case PromptAnswer::Cancel:
            return QStringLiteral("Cancel");
        case PromptAnswer::Yes:
            return QStringLiteral("Yes");
        case PromptAnswer::No:
            return QStringLiteral("No");
    }
    return QStringLiteral("?");
}

QString ScriptedPrompter::Expectation::describe() const {
    switch (kind) {
        case Kind::Message:
            return QStringLiteral("message %1%2 caption %3, %4, %5")
                .arg(textIsPrefix ? QStringLiteral("starting ") : QString(), quoted(text),
                     quoted(caption), toString(icon), toString(buttons));
        case Kind::OpenFile:
            return QStringLiteral("open dialog title %1 filter %2%3")
                .arg(quoted(text), quoted(caption), describeFileDefaults());
        case Kind::SaveFile:
            return QStringLiteral("save dialog title %1 filter %2%3")
                .arg(quoted(text), quoted(caption), describeFileDefaults());
        case Kind::Input:
            return QStringLiteral("input box caption %1 label %2 text %3")
                .arg(quoted(caption), quoted(text), quoted(initial));
        case Kind::PrinterSetup:
            return QStringLiteral("printer set-up dialog");
    }
    return QString();
}

QString ScriptedPrompter::Expectation::describeFileDefaults() const {
    if (!defaultExtension && !fileName) return QString();
    return QStringLiteral(" extension %1 name %2")
        .arg(quoted(defaultExtension.value_or(QString())), quoted(fileName.value_or(QString())));
}

ScriptedPrompter::ScriptedPrompter() {
    setPrompter(this);
}

ScriptedPrompter::~ScriptedPrompter() {
    setPrompter(nullptr);
}

ScriptedPrompter& ScriptedPrompter::push(Expectation expectation) {
    m_expected.push_back(std::move(expectation));
    return *this;
}

ScriptedPrompter& ScriptedPrompter::expectMessage(const QString& text, const QString& caption,
                                                  PromptIcon icon, PromptButtons buttons,
                                                  PromptAnswer answer) {
    Expectation e;
    e.text = text;
    e.caption = caption;
    e.icon = icon;
    e.buttons = buttons;
    e.answer = answer;
    if (!answerFits(answer, buttons)) {
        m_problems << QStringLiteral("script error: answer %1 to a %2 box %3")
                          .arg(toString(answer), toString(buttons), quoted(text));
    }
    return push(std::move(e));
}

ScriptedPrompter& ScriptedPrompter::expectMessageStartingWith(const QString& textStart,
                                                              const QString& caption,
                                                              PromptIcon icon,
                                                              PromptButtons buttons,
                                                              PromptAnswer answer) {
    expectMessage(textStart, caption, icon, buttons, answer);
    m_expected.back().textIsPrefix = true;
    return *this;
}

ScriptedPrompter& ScriptedPrompter::expectOpenFile(const QString& title, const QString& filter,
                                                   const QString& answer) {
    Expectation e;
    e.kind = Kind::OpenFile;
    e.text = title;
    e.caption = filter;
    e.textAnswer = answer;
    return push(std::move(e));
}

ScriptedPrompter& ScriptedPrompter::expectSaveFile(const QString& title, const QString& filter,
                                                   const QString& answer) {
    Expectation e;
    e.kind = Kind::SaveFile;
    e.text = title;
    e.caption = filter;
    e.textAnswer = answer;
    return push(std::move(e));
}

ScriptedPrompter& ScriptedPrompter::withFileDefaults(const QString& defaultExtension,
                                                     const QString& fileName) {
    if (m_expected.empty() || (m_expected.back().kind != Kind::OpenFile &&
                               m_expected.back().kind != Kind::SaveFile)) {
        m_problems << QStringLiteral("script error: withFileDefaults() not after a file dialog");
    } else {
        m_expected.back().defaultExtension = defaultExtension;
        m_expected.back().fileName = fileName;
    }
    return *this;
}

ScriptedPrompter& ScriptedPrompter::expectInput(const QString& caption, const QString& label,
                                                const QString& initial,
                                                std::optional<QString> answer) {
    Expectation e;
    e.kind = Kind::Input;
    e.caption = caption;
    e.text = label;
    e.initial = initial;
    e.textAnswer = std::move(answer);
    return push(std::move(e));
}

ScriptedPrompter& ScriptedPrompter::expectPrinterSetup(bool accept,
                                                       std::function<void(QPrinter&)> choose) {
    Expectation e;
    e.kind = Kind::PrinterSetup;
    e.answer = accept ? PromptAnswer::Ok : PromptAnswer::Cancel;
    e.choosePrinter = std::move(choose);
    return push(std::move(e));
}

ScriptedPrompter& ScriptedPrompter::whileShown(std::function<void()> action) {
    if (m_expected.empty()) {
        m_problems << QStringLiteral("script error: whileShown() before any expectation");
    } else {
        m_expected.back().whileShown = std::move(action);
    }
    return *this;
}

std::optional<ScriptedPrompter::Expectation> ScriptedPrompter::take(const Expectation& seen) {
    m_seen << seen.describe();
    if (m_expected.empty()) {
        m_problems << QStringLiteral("unexpected %1").arg(seen.describe());
        qWarning().noquote() << "ScriptedPrompter:" << m_problems.last();
        return std::nullopt;
    }
    const Expectation& next = m_expected.front();
    const bool textMatches =
        next.textIsPrefix ? seen.text.startsWith(next.text) : seen.text == next.text;
    const bool matches = next.kind == seen.kind && textMatches && next.caption == seen.caption &&
                         next.icon == seen.icon && next.buttons == seen.buttons &&
                         next.initial == seen.initial &&
                         (!next.defaultExtension || next.defaultExtension == seen.defaultExtension) &&
                         (!next.fileName || next.fileName == seen.fileName);
    if (!matches) {
        m_problems << QStringLiteral("expected %1\n      but got %2")
                          .arg(next.describe(), seen.describe());
        qWarning().noquote() << "ScriptedPrompter:" << m_problems.last();
        m_expected.pop_front();
        return std::nullopt;
    }
    Expectation met = std::move(m_expected.front());
    m_expected.pop_front();
    if (met.whileShown) met.whileShown();
    return met;
}

bool ScriptedPrompter::finished() const {
    return m_problems.isEmpty() && m_expected.empty();
}

QString ScriptedPrompter::report() const {
    QStringList lines = m_problems;
    for (const Expectation& e : m_expected)
        lines << QStringLiteral("never shown: %1").arg(e.describe());
    lines << QStringLiteral("dialogs seen, in order:");
    for (const QString& s : m_seen) lines << QStringLiteral("  ") + s;
    if (m_seen.isEmpty()) lines << QStringLiteral("  none");
    return lines.join(QLatin1Char('\n'));
}

PromptAnswer ScriptedPrompter::message(QWidget*, const QString& text, const QString& caption,
                                       PromptIcon icon, PromptButtons buttons) {
    Expectation seen;
    seen.text = text;
    seen.caption = caption;
    seen.icon = icon;
    seen.buttons = buttons;
    const std::optional<Expectation> met = take(seen);
    // An unexpected box gets the careful choice, as if the user backed out.
    return met ? met->answer : cautiousAnswer(buttons);
}

QString ScriptedPrompter::fileDialog(Kind kind, const FileDialogRequest& request) {
    Expectation seen;
    seen.kind = kind;
    seen.text = request.title;
    seen.caption = request.filter;
    seen.defaultExtension = request.defaultExtension;
    seen.fileName = request.fileName;
    const std::optional<Expectation> met = take(seen);
    return met ? met->textAnswer.value_or(QString()) : QString();
}

QString ScriptedPrompter::openFileName(QWidget*, const FileDialogRequest& request) {
    return fileDialog(Kind::OpenFile, request);
}

QString ScriptedPrompter::saveFileName(QWidget*, const FileDialogRequest& request) {
    return fileDialog(Kind::SaveFile, request);
}

bool ScriptedPrompter::inputText(QWidget*, const QString& caption, const QString& label,
                                 QString& value) {
    Expectation seen;
    seen.kind = Kind::Input;
    seen.caption = caption;
    seen.text = label;
    seen.initial = value;
    const std::optional<Expectation> met = take(seen);
    if (!met || !met->textAnswer) return false;
    value = *met->textAnswer;
    return true;
}

bool ScriptedPrompter::printerSetup(QWidget*, QPrinter& printer) {
    Expectation seen;
    seen.kind = Kind::PrinterSetup;
    const std::optional<Expectation> met = take(seen);
    if (!met || met->answer != PromptAnswer::Ok) return false;
    if (met->choosePrinter) met->choosePrinter(printer);
    return true;
}
