#include "srk_records.h"

bool bFunParseSrkFieldLine(const QString& line, QString& compName, QString& value) {
    const qsizetype close = line.indexOf(QLatin1Char('>'));
    if (close < 0) return false;
    const qsizetype open = line.indexOf(QLatin1Char('<'));
    // A "<" after the first ">" belongs to the value; the name then starts at the line's start.
    const qsizetype nameStart = open >= 0 && open < close ? open + 1 : 0;
    compName = line.mid(nameStart, close - nameStart);
    value = line.mid(close + 1);
    return true;
}

QString strFunSrkBlockId(const QString& header) {
    const qsizetype start = header.indexOf(QLatin1Char('<')) + 1;
    const qsizetype close = header.indexOf(QLatin1Char('>'), start);
    return header.mid(start, close < 0 ? -1 : close - start);
}

bool SrkMemoNumbering::isMemo(const QString& compName) {
    return compName.contains(QLatin1String("_DATA_MEMO"));
}

QString SrkMemoNumbering::numbered(const QString& compName) {
    if (compName != m_lastName) {
        m_lastName = compName;
        m_count = 0;
    }
    ++m_count;
    return compName + QString::number(m_count).rightJustified(2, QLatin1Char('0'));
}

QString strFunCutEscapedTo(const QString& text, int width) {
    int used = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        used += text.at(i) == QLatin1Char('\'') ? 2 : 1;
        if (used > width) return text.left(i);
    }
    return text;
}

namespace {

// Long names would swamp the message; their start is enough to find them in the file.
QString shortForMessage(const QString& name) {
    const int shown = 60;
    return name.size() <= shown ? name : name.left(shown) + QStringLiteral("…");
}

}  // namespace

QStringList fitSrkRecord(SrkImportRecord& record, const QString& pupil) {
    struct Field {
        QString* text;
        int width;
        const char* what;    // "nazwę pola", as the message names it
        const QString* name;  // the text the message quotes: a value is named by its field
    };
    const Field fields[] = {
        {&record.id, kSrkNameWidth, "nazwę dokumentu", &record.id},
        {&record.compName, kSrkNameWidth, "nazwę pola", &record.compName},
        {&record.value, kSrkValueWidth, "wartość pola", &record.compName},
    };
    QStringList cuts;
    const QString where = QStringLiteral("Wiersz %1 (uczeń %2): ").arg(record.line).arg(pupil);
    for (const Field& field : fields) {
        const QString cut = strFunCutEscapedTo(*field.text, field.width);
        if (cut == *field.text) continue;
        cuts << where + QStringLiteral("%1 „%2” skrócono do %3 znaków.")
                            .arg(QString::fromUtf8(field.what), shortForMessage(*field.name))
                            .arg(field.width);
        *field.text = cut;
    }
    return cuts;
}
