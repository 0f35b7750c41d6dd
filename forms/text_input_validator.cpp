#include "text_input_validator.h"

#include <algorithm>

#include "storage/cp1250.h"

TextInputValidator::TextInputValidator(int maxLength, QObject* parent)
    : QValidator(parent), m_maxLength(maxLength), m_allowed(maxLength) {}

void TextInputValidator::allowLength(int length) {
    m_allowed = std::max(m_maxLength, length);
}

QString TextInputValidator::refusalMessage(const QString& character) {
    return QStringLiteral("Znak „%1” nie może być zapisany w pliku świadectw.").arg(character);
}

QString TextInputValidator::firstUnstorableCharacter(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (cp1250::canEncode(text.at(i))) continue;
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() &&
                          text.at(i + 1).isLowSurrogate();
        return text.mid(i, pair ? 2 : 1);
    }
    return QString();
}

QValidator::State TextInputValidator::validate(QString& input, int& /*pos*/) const {
    const QString refused = firstUnstorableCharacter(input);
    if (!refused.isEmpty()) {
        emit characterRefused(refusalMessage(refused));
        return Invalid;
    }
    if (m_maxLength > 0) {
        const int length = static_cast<int>(input.size());
        if (length > m_allowed) return Invalid;
        // The widget keeps every accepted change, so an over-long text may only shrink from here.
        m_allowed = std::max(m_maxLength, length);
    }
    return Acceptable;
}
