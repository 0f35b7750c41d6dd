#include <QTest>

#include "app/pupil_order.h"

class PupilOrderTest : public QObject {
    Q_OBJECT

private slots:
    void sortKeyFoldsCaseAndPolishLetters_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("key");

        QTest::newRow("Ż and ą") << "Żuraw A" << QByteArray("ZURAW A");
        QTest::newRow("every Polish letter")
            << "ąĄćĆęĘłŁńŃśŚóÓżŻźŹ" << QByteArray("AACCEELLNNSSOOZZZZ");
        QTest::newRow("other letters stay") << "Éva ü" << QByteArray("\xC9VA \xFC");
    }

    void sortKeyFoldsCaseAndPolishLetters() {
        QFETCH(QString, name);
        QFETCH(QByteArray, key);
        QCOMPARE(pupilSortKey(name), key);
    }

    void pupilsSortByKey_data() {
        QTest::addColumn<QStringList>("stored");  // display names in store order
        QTest::addColumn<QStringList>("shown");

        QTest::newRow("Ż sorts as Z") << QStringList{"Żuraw A", "Zając B", "Adamek E"}
                                      << QStringList{"Adamek E", "Zając B", "Żuraw A"};
        QTest::newRow("Ł sorts as L")
            << QStringList{"Maj E", "Łoś B", "Lis A"} << QStringList{"Lis A", "Łoś B", "Maj E"};
        // Bytes above 'Z' (é is 0xE9) come after every plain letter; lower-case a-z never do.
        QTest::newRow("unfolded letters last") << QStringList{"émile A", "zenon B", "Zenon A"}
                                               << QStringList{"Zenon A", "zenon B", "émile A"};
    }

    void pupilsSortByKey() {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, shown);
        StudentList students;
        for (const QString& name : stored) students.append({name, "PESEL" + name});

        QStringList seen;
        for (const StudentListEntry& entry : sortedForTree(students)) {
            QCOMPARE(entry.tableName, "PESEL" + entry.displayName);
            seen << entry.displayName;
        }
        QCOMPARE(seen, shown);
    }

    void equalKeysKeepTheirStoreOrder() {
        // "Łoś B", "Los B" and "LOS B" share one key; so do the two "Nowak Jan".
        const StudentList students{{"Łoś B", "PESEL1"}, {"Nowak Jan", "PESEL2"},
                                   {"Los B", "PESEL3"}, {"Nowak Jan", "PESEL4"},
                                   {"LOS B", "PESEL5"}, {"Adam A", "PESEL6"}};
        QStringList tables;
        for (const StudentListEntry& entry : sortedForTree(students)) tables << entry.tableName;
        QCOMPARE(tables, (QStringList{"PESEL6", "PESEL1", "PESEL3", "PESEL5", "PESEL2", "PESEL4"}));
    }
};

QTEST_APPLESS_MAIN(PupilOrderTest)
#include "tst_pupil_order.moc"
