#include "pupil_order.h"

#include <algorithm>

#include "storage/cp1250.h"

namespace {

// Only these letters are folded; others (é, ü, ...) keep their own bytes and sort after Z.
QChar foldedPolishLetter(QChar c) {
    static const QString polish = QStringLiteral("ąĄćĆęĘłŁńŃśŚóÓżŻźŹ");
    static const QString plain = QStringLiteral("AACCEELLNNSSOOZZZZ");
    const qsizetype at = polish.indexOf(c);
    return at < 0 ? c : plain.at(at);
}

bool keyLess(const QByteArray& a, const QByteArray& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

}  // namespace

QByteArray pupilSortKey(const QString& displayName) {
    QString key = displayName;
    for (QChar& c : key) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) {
            c = QChar(c.unicode() - u'a' + u'A');
        } else {
            c = foldedPolishLetter(c);
        }
    }
    return cp1250::fromUnicode(key);
}

StudentList sortedForTree(StudentList students) {
    QList<QByteArray> keys;
    keys.reserve(students.size());
    for (const StudentListEntry& entry : students) keys.append(pupilSortKey(entry.displayName));

    QList<qsizetype> order(students.size());
    for (qsizetype i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&keys](qsizetype a, qsizetype b) { return keyLess(keys.at(a), keys.at(b)); });

    StudentList sorted;
    sorted.reserve(students.size());
    for (qsizetype i : order) sorted.append(students.at(i));
    return sorted;
}
