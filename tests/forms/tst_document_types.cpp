#include <QtTest>

#include "forms/document_types.h"

class TestDocumentTypes : public QObject {
    Q_OBJECT
private slots:
    void captionDispatch_data();
    void captionDispatch();
    void treeListsElevenTypes();
    void calibrationKeys();
};

void TestDocumentTypes::captionDispatch_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("number");  // -1: no document type

    for (const DocumentType& type : documentTypes())
        QTest::newRow(qPrintable(type.caption)) << type.caption << type.number;
    QTest::newRow("meeting report") << QStringLiteral("wywiadówka") << 12;
    QTest::newRow("the key is no caption") << QStringLiteral("wywiadowka") << -1;
    QTest::newRow("trailing blank") << QStringLiteral("MEN-I/3a/2 świad. klasa IV ") << -1;
    QTest::newRow("other letter case") << QStringLiteral("men-i/3a/2 świad. klasa IV") << -1;
    QTest::newRow("pupil node") << QStringLiteral("Kowalski Jan") << -1;
    QTest::newRow("empty") << QString() << -1;
}

void TestDocumentTypes::captionDispatch() {
    QFETCH(QString, caption);
    QFETCH(int, number);
    const DocumentType* type = documentTypeForCaption(caption);
    QCOMPARE(type ? type->number : -1, number);
}

void TestDocumentTypes::treeListsElevenTypes() {
    QList<int> numbers;
    for (const DocumentType* type : treeDocumentTypes()) {
        QVERIFY(type->inTree);
        numbers << type->number;
    }
    QCOMPARE(numbers, (QList<int>{0, 1, 2, 3, 4, 5, 12, 13, 14, 15, 16}));
}

void TestDocumentTypes::calibrationKeys() {
    const QList<DocumentType>& types = documentTypes();
    QCOMPARE(types.size(), 21);
    for (const DocumentType& type : types) {
        QCOMPARE(calibrationKey(type, false), type.key);
        const QString withoutDots = type.number <= 11 ? type.key + QStringLiteral("_bk") : type.key;
        QCOMPARE(calibrationKey(type, true), withoutDots);
    }
    QCOMPARE(calibrationKey(types.at(4), true), QStringLiteral("klasa_6a_bk"));
    QCOMPARE(calibrationKey(types.at(14), true), QStringLiteral("arkusz_klasa_4b"));
}

QTEST_GUILESS_MAIN(TestDocumentTypes)
#include "tst_document_types.moc"
