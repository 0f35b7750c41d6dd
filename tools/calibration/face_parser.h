#pragma once

// The description language of the printed faces: one file describes one document family.

#include <QList>
#include <QString>

#include <memory>

#include "face_model.h"

class ParseError {
public:
    ParseError(int line, QString message) : m_line(line), m_message(std::move(message)) {}
    int line() const { return m_line; }
    const QString& message() const { return m_message; }

private:
    int m_line;
    QString m_message;
};

// Reads a description line by line; every fault throws ParseError with its line.
class FaceParser {
public:
    FaceParser();
    ~FaceParser();

    void parseLine(const QString& text, int line);
    // Whole-description checks, after the last line.
    void finish();

    // nullptr until the "document" directive.
    const Family* family() const;
    const QList<Entry>& entries() const;

private:
    class Impl;
    std::unique_ptr<Impl> m_impl;
};
