#pragma once

#include <QTextEdit>

// The input widget of a memo: one line of text per printed writing line, never wrapped (a long
// line scrolls sideways), at most a limit of lines. Enter is refused once the memo holds its
// limit; what arrives in other ways (a paste, the program) is trimmed by the model, and the
// widget then shows the model's lines. Characters Windows-1250 cannot hold are refused and
// announced, as the one-line fields do.
class MemoEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit MemoEdit(QWidget* parent = nullptr);

    void setMaxLines(int lines) { m_maxLines = lines; }  // 0 = no limit
    int maxLines() const { return m_maxLines; }
    // Consecutive lines lie `pixels` apart, so each sits on its writing line of the page.
    void setLinePitch(qreal pixels);
    int lineCount() const;
    // Shows `text` (lines joined by '\n') unless it shows already, so typing is never disturbed.
    void showText(const QString& text);

signals:
    void characterRefused(const QString& message);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    bool refuses(const QString& typed);
    void applyLinePitch();

    int m_maxLines = 0;
    qreal m_linePitch = 0;
};
