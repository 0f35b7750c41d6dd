#pragma once

#include <QString>

// The growable text stream into which a failing operation writes its message, after emptying
// it; the caller shows the text and the log writer records it.
class ErrorStream {
public:
    void clear() { m_text.clear(); }
    bool isEmpty() const { return m_text.isEmpty(); }
    const QString& text() const { return m_text; }

    ErrorStream& operator<<(const QString& text) {
        m_text += text;
        return *this;
    }
    ErrorStream& operator<<(const char* utf8) {
        m_text += QString::fromUtf8(utf8);
        return *this;
    }
    ErrorStream& operator<<(long long number) {
        m_text += QString::number(number);
        return *this;
    }
    ErrorStream& operator<<(int number) { return *this << static_cast<long long>(number); }

private:
    QString m_text;
};
