#include "qt_prompter.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>

namespace {

QString& untitledCaption() {
    static QString caption;
    return caption;
}

QString shownCaption(const QString& caption) {
    return caption.isEmpty() ? untitledCaption() : caption;
}

QMessageBox::Icon qtIcon(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::Information:
            return QMessageBox::Information;
        case PromptIcon::Warning:
            return QMessageBox::Warning;
        case PromptIcon::Error:
            return QMessageBox::Critical;
        case PromptIcon::Question:
            return QMessageBox::Question;
        case PromptIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(PromptButtons buttons) {
    switch (buttons) {
        case PromptButtons::Ok:
            return QMessageBox::Ok;
        case PromptButtons::YesNo:
        case PromptButtons::YesNoDefaultNo:
            return QMessageBox::Yes | QMessageBox::No;
        case PromptButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case PromptButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// Closing the box by its title bar or Escape counts as the "negative" button of the set.
PromptAnswer answerFor(QMessageBox::StandardButton clicked, PromptButtons buttons) {
    switch (clicked) {
        case QMessageBox::Ok:
            return PromptAnswer::Ok;
        case QMessageBox::Yes:
            return PromptAnswer::Yes;
        case QMessageBox::No:
            return PromptAnswer::No;
        case QMessageBox::Cancel:
            return PromptAnswer::Cancel;
        default:
            break;
    }
    return cautiousAnswer(buttons);
}

QString runFileDialog(QWidget* parent, const FileDialogRequest& request, bool save) {
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The save commands ask about replacing an existing file themselves, in their own words.
    if (save) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = qtNameFilters(request.filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (!request.defaultExtension.isEmpty()) dialog.setDefaultSuffix(request.defaultExtension);
    if (!request.fileName.isEmpty()) {
        const QFileInfo start(request.fileName);
        if (start.isDir()) {
            dialog.setDirectory(start.absoluteFilePath());
        } else {
            dialog.selectFile(request.fileName);
        }
    }
    if (dialog.exec() != QDialog::Accepted) return QString();
    const QString chosen = dialog.selectedFiles().value(0);
    // A platform's native dialog may ignore the default suffix.
    return save ? withDefaultExtension(chosen, request.defaultExtension) : chosen;
}

}  // namespace

void setUntitledBoxCaption(const QString& caption) {
    untitledCaption() = caption;
}

QString untitledBoxCaption() {
    return untitledCaption();
}

QStringList qtNameFilters(const QString& pipeFilter) {
    QStringList result;
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts.at(i).trimmed();
        const QString patterns =
            parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
        const QString suffix = QLatin1Char('(') + patterns + QLatin1Char(')');
        if (description.endsWith(suffix)) {
            result << description;
        } else if (description.isEmpty()) {
            result << suffix;
        } else {
            result << description + QLatin1Char(' ') + suffix;
        }
    }
    return result;
}

QString withDefaultExtension(const QString& fileName, const QString& extension) {
    if (fileName.isEmpty() || extension.isEmpty()) return fileName;
    if (QFileInfo(fileName).fileName().contains(QLatin1Char('.'))) return fileName;
    return fileName + QLatin1Char('.') + extension;
}

PromptAnswer QtPrompter::message(QWidget* parent, const QString& text, const QString& caption,
                                 PromptIcon icon, PromptButtons buttons) {
    QMessageBox box(qtIcon(icon), shownCaption(caption), text, qtButtons(buttons), parent);
    box.setTextFormat(Qt::PlainText);
    if (buttons == PromptButtons::YesNoDefaultNo) box.setDefaultButton(QMessageBox::No);
    const auto clicked = static_cast<QMessageBox::StandardButton>(box.exec());
    return answerFor(clicked, buttons);
}

QString QtPrompter::openFileName(QWidget* parent, const FileDialogRequest& request) {
    return runFileDialog(parent, request, false);
}

QString QtPrompter::saveFileName(QWidget* parent, const FileDialogRequest& request) {
    return runFileDialog(parent, request, true);
}

bool QtPrompter::inputText(QWidget* parent, const QString& caption, const QString& label,
                           QString& value) {
    bool accepted = false;
    const QString answer = QInputDialog::getText(parent, shownCaption(caption), label,
                                                 QLineEdit::Normal, value, &accepted);
    if (accepted) value = answer;
    return accepted;
}

bool QtPrompter::printerSetup(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    // Only the printer and its settings are chosen here: pages and the output file are not.
    dialog.setOptions(QAbstractPrintDialog::PrintDialogOptions());
    return dialog.exec() == QDialog::Accepted;
}
