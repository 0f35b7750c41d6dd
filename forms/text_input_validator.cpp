#include "text_input_validator.h"

#include <algorithm>

#include "storage/cp1250.h"

TextInputValidator::TextInputValidator(int maxLength, QObject* parent)
    : QValidator(parent), m_maxLength(maxLength), m_allowed(maxLength) {}

void TextInputValidator::allowLength(int length) {
    m_allowed = std::max(m_maxLength, length);
}

QValidator::State TextInputValidator::validate(QString& input, int& /*pos*/) const {
    if (!cp1250::canEncode(input)) return Invalid;
    if (m_maxLength > 0) {
        const int length = static_cast<int>(input.size());
        if (length > m_allowed) return Invalid;
        // The widget keeps every accepted change, so an over-long text may only shrink from here.
        m_allowed = std::max(m_maxLength, length);
    }
    return Acceptable;
}
