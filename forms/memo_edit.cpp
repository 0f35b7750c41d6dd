#include "memo_edit.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>

#include "text_input_validator.h"

MemoEdit::MemoEdit(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(false);
    setLineWrapMode(QTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab moves on to the next field, as in the one-line fields; a tab in a line would print
    // as nothing useful.
    setTabChangesFocus(true);
    document()->setDocumentMargin(0);
}

void MemoEdit::setLinePitch(qreal pixels) {
    m_linePitch = pixels;
    applyLinePitch();
}

int MemoEdit::lineCount() const {
    return document()->blockCount();
}

void MemoEdit::showText(const QString& text) {
    if (toPlainText() == text) return;
    setPlainText(text);
    applyLinePitch();
    moveCursor(QTextCursor::End);
}

// A new line takes its format from the line it was split from, so the pitch needs setting only
// when the whole text is replaced.
void MemoEdit::applyLinePitch() {
    if (m_linePitch <= 0) return;
    QTextBlockFormat format;
    format.setLineHeight(m_linePitch, QTextBlockFormat::FixedHeight);
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    const bool wasModified = document()->isModified();
    const QSignalBlocker quiet(this);  // a format is no edit of the text
    all.mergeBlockFormat(format);
    document()->setModified(wasModified);
}

bool MemoEdit::refuses(const QString& typed) {
    const QString refused = TextInputValidator::firstUnstorableCharacter(typed);
    if (refused.isEmpty()) return false;
    emit characterRefused(TextInputValidator::refusalMessage(refused));
    return true;
}

void MemoEdit::keyPressEvent(QKeyEvent* event) {
    const bool newLine = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (newLine && m_maxLines > 0 && lineCount() >= m_maxLines) {
        event->accept();  // the memo holds its limit of lines
        return;
    }
    if (newLine && !isReadOnly()) {
        // A new line of its own, in the writing lines' format: the stock handling would spend
        // the key on dropping the format of an empty line instead.
        textCursor().insertBlock();
        ensureCursorVisible();
        event->accept();
        return;
    }
    if (!newLine && refuses(event->text())) {
        event->accept();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

bool MemoEdit::canInsertFromMimeData(const QMimeData* source) const {
    return source->hasText();
}

// Only plain text arrives; one that holds a character the file cannot store is refused whole,
// as a one-line field refuses such a paste.
void MemoEdit::insertFromMimeData(const QMimeData* source) {
    if (!source->hasText() || refuses(source->text())) return;
    textCursor().insertText(source->text());
}
