#pragma once

#include <QByteArray>
#include <QString>

// Windows-1250, the code page of every text the program keeps on disk. Bytes that the code page
// leaves undefined map to the C1 control of the same value (as Windows does), so every byte value
// survives a decode/encode round trip.
namespace cp1250 {

QString toUnicode(const char* bytes, qsizetype length);
QString toUnicode(const QByteArray& bytes);

// Characters the code page cannot hold become '?'; input widgets refuse them beforehand.
QByteArray fromUnicode(const QString& text);

bool canEncode(QChar c);
bool canEncode(const QString& text);

}  // namespace cp1250
