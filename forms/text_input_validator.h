#pragma once

#include <QValidator>

// What the user may type into a data field: only characters Windows-1250 can hold (so nothing
// is lost silently on disk), and with a limit no more than `maxLength` characters.
//
// A refused character is announced (characterRefused), so the field can tell the user why the
// key did nothing.
//
// The limit only stops typing. A longer stored text (from an older file) must reach the widget
// whole, so the view announces it with allowLength() before showing it; the user may then shorten
// it but not lengthen it. QLineEdit::setMaxLength would cut such a text on display instead.
class TextInputValidator : public QValidator {
    Q_OBJECT
public:
    explicit TextInputValidator(int maxLength = 0, QObject* parent = nullptr);

    // Accepts a text of `length` characters until the user shortens it.
    void allowLength(int length);

    State validate(QString& input, int& pos) const override;

    // "Znak „€” nie może być zapisany w pliku świadectw."
    static QString refusalMessage(const QString& character);
    // The first character of `text` that cannot be stored (both halves of a surrogate pair);
    // "" when every one can.
    static QString firstUnstorableCharacter(const QString& text);

signals:
    // `message` names the character that was refused.
    void characterRefused(const QString& message) const;

private:
    int m_maxLength;          // 0 = no limit
    mutable int m_allowed;    // longest acceptable text right now
};
