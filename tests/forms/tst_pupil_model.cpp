#include <QtTest>

#include "forms/pupil_model.h"
#include "storage/clock.h"

namespace {

const QString kId = QStringLiteral("DANE UCZNIA");

void fill(PupilModel& pupil) {
    pupil.setText(PupilModel::kSurname, QStringLiteral("Żuraw"));
    pupil.setText(PupilModel::kFirstName, QStringLiteral("Łucja"));
    pupil.setSelectedIndex(PupilModel::kSex, 0);
    pupil.setText(PupilModel::kBirthDay, QStringLiteral("3 maja"));
    pupil.setText(PupilModel::kBirthYear, QStringLiteral("2004 r."));
    pupil.setText(PupilModel::kBirthTown, QStringLiteral("Kędzierzyn-Koźle"));
    pupil.setText(PupilModel::kBirthProvince, QStringLiteral("opolskie"));
    pupil.setText(PupilModel::kRegisterNumber, QStringLiteral("7"));
    pupil.setText(PupilModel::kPesel, QStringLiteral("04250312345"));
}

}  // namespace

class TestPupilModel : public QObject {
    Q_OBJECT
private slots:
    void clearKeepsPlaceAndYearOfBirth();
    void collectAndApplyRoundTrip();
    void applySpecialNames_data();
    void applySpecialNames();
    void peselFromTheTableName_data();
    void peselFromTheTableName();
    void birthYearsFollowTheClock_data();
    void birthYearsFollowTheClock();
};

void TestPupilModel::clearKeepsPlaceAndYearOfBirth() {
    PupilModel pupil;
    fill(pupil);
    pupil.vFunClearData();
    for (const QString& name : {PupilModel::kSurname, PupilModel::kFirstName, PupilModel::kSex,
                                PupilModel::kBirthDay, PupilModel::kRegisterNumber,
                                PupilModel::kPesel}) {
        QVERIFY2(pupil.text(name).isEmpty(), qPrintable(name));
    }
    QCOMPARE(pupil.selectedIndex(PupilModel::kSex), -1);
    QCOMPARE(pupil.text(PupilModel::kBirthYear), QStringLiteral("2004 r."));
    QCOMPARE(pupil.text(PupilModel::kBirthTown), QStringLiteral("Kędzierzyn-Koźle"));
    QCOMPARE(pupil.text(PupilModel::kBirthProvince), QStringLiteral("opolskie"));
}

void TestPupilModel::collectAndApplyRoundTrip() {
    PupilModel pupil;
    fill(pupil);
    RecordList records;
    QVERIFY(pupil.bFunGetDataList(records));
    QStringList names;
    for (const FieldRecord& r : records) {
        QCOMPARE(r.id, kId);
        names << r.compName;
    }
    QCOMPARE(names, (QStringList{"Nazwisko_DATA_EDIT", "Imie_DATA_EDIT", "Plec_DATA_COMBOBOX",
                                 "UrodzonyDnia_DATA_EDIT", "UrodzonyRok_DATA_COMBOBOX",
                                 "UrodzonyMiasto_DATA_COMBOBOX", "UrodzonyWoj_DATA_COMBOBOX",
                                 "NrDziennika_DATA_EDIT", "NrPesel_DATA_EDIT"}));
    QCOMPARE(records.at(2).value, QStringLiteral("kobieta"));

    PupilModel loaded;
    loaded.vFunSetDataList(records);
    RecordList again;
    loaded.bFunGetDataList(again);
    for (int i = 0; i < records.size(); ++i) QCOMPARE(again.at(i).value, records.at(i).value);

    // No sex chosen is stored as an empty text.
    loaded.setSelectedIndex(PupilModel::kSex, -1);
    again.clear();
    loaded.bFunGetDataList(again);
    QCOMPARE(again.at(2).value, QString());
}

void TestPupilModel::applySpecialNames_data() {
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("component");
    QTest::addColumn<QString>("expected");

    QTest::newRow("PESEL from an older file's bare name")
        << "Pesel_DATA_EDIT" << "90010112345" << PupilModel::kPesel << "90010112345";
    QTest::newRow("PESEL under its own name")
        << "NrPesel_DATA_EDIT" << "9001011234A" << PupilModel::kPesel << "9001011234A";
    QTest::newRow("male") << "Plec_DATA_COMBOBOX" << PupilModel::kMale << PupilModel::kSex
                          << PupilModel::kMale;
    QTest::newRow("capitalised male loads as female")
        << "Plec_DATA_COMBOBOX" << QStringLiteral("Mężczyzna") << PupilModel::kSex << "kobieta";
    QTest::newRow("empty sex loads as female")
        << "Plec_DATA_COMBOBOX" << "" << PupilModel::kSex << "kobieta";
    QTest::newRow("sex name in other letter case")
        << "plec_DATA_COMBOBOX" << PupilModel::kMale << PupilModel::kSex << PupilModel::kMale;
    QTest::newRow("a typed year outside the list")
        << "UrodzonyRok_DATA_COMBOBOX" << "1999" << PupilModel::kBirthYear << "1999";
}

void TestPupilModel::applySpecialNames() {
    QFETCH(QString, record);
    QFETCH(QString, value);
    QFETCH(QString, component);
    QFETCH(QString, expected);
    PupilModel pupil;
    pupil.vFunSetDataList({FieldRecord::make(kId, record, value),
                           FieldRecord::make(QStringLiteral("INNY"), component, QStringLiteral("x"))});
    QCOMPARE(pupil.text(component), expected);
}

void TestPupilModel::peselFromTheTableName_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("storedPesel");  // null: no PESEL record at all
    QTest::addColumn<QString>("expected");
    QTest::newRow("no record") << "PESEL123" << QString() << "123";
    QTest::newRow("empty record") << "PESEL123" << "" << "123";
    QTest::newRow("blank record") << "PESEL123" << " " << "123";
    QTest::newRow("record wins") << "PESEL123" << "456" << "456";
    QTest::newRow("table without number") << "PESEL" << QString() << "";
}

void TestPupilModel::peselFromTheTableName() {
    QFETCH(QString, table);
    QFETCH(QString, storedPesel);
    QFETCH(QString, expected);
    RecordList records{FieldRecord::make(kId, PupilModel::kSurname, QStringLiteral("Lis"))};
    if (!storedPesel.isNull()) records << FieldRecord::make(kId, PupilModel::kPesel, storedPesel);
    vFunSupplyPeselFromTable(records, table);
    PupilModel pupil;
    pupil.vFunSetDataList(records);
    QCOMPARE(pupil.text(PupilModel::kPesel).trimmed(), expected);
}

QTEST_GUILESS_MAIN(TestPupilModel)
#include "tst_pupil_model.moc"

void TestPupilModel::birthYearsFollowTheClock_data() {
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::newRow("December") << QDate(2026, 12, 11) << "2010 r." << "2019 r.";
    QTest::newRow("New Year's Day") << QDate(2031, 1, 1) << "2015 r." << "2024 r.";
}

// The list offers the years from sixteen to seven years ago; a stored year outside it stays.
void TestPupilModel::birthYearsFollowTheClock() {
    QFETCH(QDate, today);
    QFETCH(QString, first);
    QFETCH(QString, last);
    program_clock::setClock([today] { return QDateTime(today, QTime(8, 0)); });
    PupilModel pupil;
    program_clock::setClock({});

    const QStringList years = pupil.component(pupil.indexOf(PupilModel::kBirthYear)).items;
    QCOMPARE(years.size(), 10);
    QCOMPARE(years.first(), first);
    QCOMPARE(years.last(), last);
    pupil.setText(PupilModel::kBirthYear, QStringLiteral("1999 r."));
    QCOMPARE(pupil.text(PupilModel::kBirthYear), QStringLiteral("1999 r."));
}
