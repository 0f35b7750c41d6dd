#include <QSignalSpy>
#include <QtTest>

#include "forms/document_ids.h"
#include "forms/document_types.h"
#include "forms/field_model.h"
#include "forms/form_registry.h"
#include "forms/pupil_data_copy.h"
#include "forms/pupil_model.h"

namespace {

const QString kDoc = QString::fromLatin1(DocumentIds::kCertificate4);
const QString kEdit = QStringLiteral("ZMIENNA_Imie_DATA_EDIT");
const QString kCombo = QStringLiteral("ZMIENNA_Klasa_DATA_COMBOBOX");
const QString kMemo = QStringLiteral("ZMIENNA_Szczegolne1_DATA_MEMO");
const QString kLabel = QStringLiteral("STALY_Tytul_DATA_LABEL");
const QString kLabelCaption = QStringLiteral("ŚWIADECTWO SZKOLNE");

// A small form with one component of every stored kind plus a label and a window-only one.
std::unique_ptr<FormModel> makeForm() {
    auto form = std::make_unique<FormModel>(QStringLiteral("TFTest"), kDoc,
                                            FormModel::MarkerSet::Plain);
    form->addComponent(Component::named(kEdit));
    form->addComponent(Component::named(kCombo));
    form->addComponent(Component::named(kMemo));
    form->addComponent(Component::named(kLabel, kLabelCaption));
    form->addComponent(Component::windowOnly(QStringLiteral("Label1"), QStringLiteral("....")));
    return form;
}

FieldRecord rec(const QString& name, const QString& value, const QString& id = kDoc) {
    return FieldRecord::make(id, name, value);
}

QStringList rows(const RecordList& records) {
    QStringList list;
    for (const FieldRecord& r : records)
        list << r.id + QLatin1Char('|') + r.compName + QLatin1Char('|') + r.value;
    return list;
}

// "name=value" pairs keep the tables short.
QPair<QString, QString> split(const QString& pair) {
    const int eq = pair.indexOf(QLatin1Char('='));
    return {pair.left(eq), pair.mid(eq + 1)};
}

}  // namespace

class TestFieldModel : public QObject {
    Q_OBJECT
private slots:
    void memoLinesRoundTrip_data();
    void memoLinesRoundTrip();
    void applySelectsRecords_data();
    void applySelectsRecords();
    void clearEmptiesDataAndKeepsLabels();
    void collectFollowsComponentOrder();
    void changesAreSignalled();
    void pupilDataOverridesStoredValues_data();
    void pupilDataOverridesStoredValues();
    void formWithoutComponentsKeepsItsRecords();
    void registryRoundTripsSheetsAndNote();
    void registryFindsEveryCatalogueForm();
};

void TestFieldModel::memoLinesRoundTrip_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("three lines") << QStringList{"pierwsza", "druga", "trzecia"};
    QTest::newRow("empty middle line") << QStringList{"a", "", "c"};
    QTest::newRow("no lines") << QStringList{};
    // Line numbers get a third digit from line 100 on.
    QStringList many;
    for (int i = 1; i <= 120; ++i) many << QStringLiteral("linia %1").arg(i);
    QTest::newRow("more than 99 lines") << many;
}

void TestFieldModel::memoLinesRoundTrip() {
    QFETCH(QStringList, lines);
    auto form = makeForm();
    for (const QString& line : lines) form->appendLine(kMemo, line);

    RecordList records;
    QVERIFY(form->bFunGetDataList(records));
    RecordList memoRecords;
    for (const FieldRecord& r : records) {
        if (r.compName.startsWith(kMemo)) memoRecords.append(r);
    }
    QCOMPARE(memoRecords.size(), lines.size());
    for (int j = 0; j < lines.size(); ++j) {
        QCOMPARE(memoRecords.at(j).compName, kMemo + QString::asprintf("%02d", j + 1));
        QCOMPARE(memoRecords.at(j).value, lines.at(j));
    }

    auto loaded = makeForm();
    loaded->appendLine(kMemo, QStringLiteral("stale"));
    loaded->vFunSetDataList(records);
    QCOMPARE(loaded->lines(kMemo), lines);
}

void TestFieldModel::applySelectsRecords_data() {
    QTest::addColumn<RecordList>("records");
    QTest::addColumn<QString>("component");
    QTest::addColumn<QString>("expected");

    QTest::newRow("stem in other letter case reaches the component")
        << RecordList{rec("zmienna_IMIE_DATA_EDIT", "Ala")} << kEdit << "Ala";
    QTest::newRow("marker in other letter case is skipped")
        << RecordList{rec("ZMIENNA_Imie_data_edit", "Ala")} << kEdit << "";
    QTest::newRow("last record wins")
        << RecordList{rec(kEdit, "Ala"), rec(kCombo, "czwartej"), rec(kEdit, "Ola")} << kEdit
        << "Ola";
    QTest::newRow("combo box keeps typed text")
        << RecordList{rec(kCombo, "nie z listy")} << kCombo << "nie z listy";
    QTest::newRow("document ids compare exactly")
        << RecordList{rec(kEdit, "Ala", QString::fromLatin1(DocumentIds::kCertificate4Distinction)),
                      rec(kEdit, "Ala", kDoc + QLatin1Char(' ')),
                      rec(kEdit, "Ala", kDoc.toLower())}
        << kEdit << "";
    QTest::newRow("unknown components are skipped")
        << RecordList{rec("ZMIENNA_Nieznane_DATA_EDIT", "x"), rec("ZMIENNA_Nieznane_DATA_MEMO01", "x"),
                      rec(kEdit, "Ala")}
        << kEdit << "Ala";
    QTest::newRow("label records never change the caption")
        << RecordList{rec(kLabel, "inny")} << kLabel << kLabelCaption;
    QTest::newRow("window-only components are not data")
        << RecordList{rec("Label1", "x")} << "Label1" << "....";
}

void TestFieldModel::applySelectsRecords() {
    QFETCH(RecordList, records);
    QFETCH(QString, component);
    QFETCH(QString, expected);
    auto form = makeForm();
    form->setText(kEdit, QStringLiteral("poprzedni uczeń"));
    form->vFunSetDataList(records);
    QCOMPARE(form->text(component), expected);
}

void TestFieldModel::clearEmptiesDataAndKeepsLabels() {
    auto form = makeForm();
    form->vFunSetDataList({rec(kEdit, "Ala"), rec(kCombo, "4"), rec(kMemo + "01", "x")});
    form->vFunClearData();
    QCOMPARE(form->text(kEdit), QString());
    QCOMPARE(form->text(kCombo), QString());
    QCOMPARE(form->lineCount(kMemo), 0);
    QCOMPARE(form->text(kLabel), kLabelCaption);
    QCOMPARE(form->text(QStringLiteral("Label1")), QStringLiteral("...."));

    // Certificates clear only names with a page infix; memos always.
    FormModel certificate(QStringLiteral("TFKlasa4"), kDoc, FormModel::MarkerSet::Certificate);
    const QString side1 = QStringLiteral("ZMIENNA_Klasa_STR1_DATA_EDIT");
    const QString side2 = QStringLiteral("ZMIENNA_Ocena_STR2_DATA_COMBOBOX");
    const QString memo = QStringLiteral("ZMIENNA_Szczegolne1_STR2_DATA_MEMO");
    for (const QString& name : {side1, side2, memo}) certificate.addComponent(Component::named(name));
    certificate.vFunSetDataList({rec(side1, "czwartej"), rec(side2, "dobry"), rec(memo + "01", "x")});
    QCOMPARE(certificate.text(side2), QStringLiteral("dobry"));
    certificate.vFunClearData();
    QCOMPARE(certificate.text(side1), QString());
    QCOMPARE(certificate.text(side2), QString());
    QCOMPARE(certificate.lineCount(memo), 0);
}

void TestFieldModel::collectFollowsComponentOrder() {
    auto form = makeForm();
    form->setText(kEdit, QStringLiteral("Ala"));
    form->appendLine(kMemo, QStringLiteral("x"));
    RecordList records{rec("obcy", "zostaje", QStringLiteral("INNY"))};
    QVERIFY(form->bFunGetDataList(records));

    QStringList names;
    for (const FieldRecord& r : records) names << r.compName;
    // Appends after what is already there; empty texts are stored; labels never are.
    QCOMPARE(names, (QStringList{"obcy", kEdit, kCombo, kMemo + "01"}));
    QCOMPARE(records.at(2).value, QString());
    for (int i = 1; i < records.size(); ++i) QCOMPARE(records.at(i).id, kDoc);
}

void TestFieldModel::changesAreSignalled() {
    auto form = makeForm();
    QSignalSpy spy(form.get(), &FormModel::componentChanged);
    form->setText(kEdit, QStringLiteral("Ala"));
    form->setText(kEdit, QStringLiteral("Ala"));
    form->appendLine(kMemo, QStringLiteral("x"));
    form->setText(QStringLiteral("ZMIENNA_Brak_DATA_EDIT"), QStringLiteral("x"));
    QCOMPARE(spy.size(), 2);
    QCOMPARE(spy.at(0).at(0).toInt(), form->indexOf(kEdit));
    QCOMPARE(spy.at(1).at(0).toInt(), form->indexOf(kMemo));
}

void TestFieldModel::pupilDataOverridesStoredValues_data() {
    QTest::addColumn<int>("family");
    QTest::addColumn<QString>("sex");
    QTest::addColumn<QString>("pesel");
    QTest::addColumn<QStringList>("stored");    // the document's own records
    QTest::addColumn<QStringList>("expected");  // texts after the apply

    const QString male = PupilModel::kMale;
    const auto promotion = static_cast<int>(DocumentFamily::PromotionCertificate);
    const auto leaving = static_cast<int>(DocumentFamily::SchoolLeavingCertificate);
    const auto title = static_cast<int>(DocumentFamily::GradeSheetTitlePage);
    const auto report = static_cast<int>(DocumentFamily::MeetingReport);
    const auto year = static_cast<int>(DocumentFamily::GradeSheetYearPage);

    QTest::newRow("promotion certificate, male")
        << promotion << male << "05210112345"
        << QStringList{"ZMIENNA_ImieNazwisko_STR1_DATA_EDIT=Adam Nowak",
                       "ZMIENNA_UczeszczalA_STR1_DATA_EDIT=a", "ZMIENNA_Klasa_STR1_DATA_EDIT=czwartej"}
        << QStringList{"ZMIENNA_ImieNazwisko_STR1_DATA_EDIT=Jan Kowalski",
                       "ZMIENNA_DataUrodzenia_STR1_DATA_EDIT=1 stycznia 2005 r.",
                       "ZMIENNA_MiejsceUrodzenia_STR1_DATA_EDIT=Kraków",
                       "ZMIENNA_UczeszczalA_STR1_DATA_EDIT=", "ZMIENNA_OtrzymalA_STR1_DATA_EDIT=",
                       "ZMIENNA_SwiadectwoNr_STR1_DATA_EDIT=12",
                       "ZMIENNA_NrPesel_STR1_DATA_EDIT=05210112345",
                       "ZMIENNA_Klasa_STR1_DATA_EDIT=czwartej"};
    QTest::newRow("promotion certificate, no sex chosen")
        << promotion << "" << "" << QStringList{}
        << QStringList{"ZMIENNA_UczeszczalA_STR1_DATA_EDIT=a", "ZMIENNA_OtrzymalA_STR1_DATA_EDIT=a"};
    QTest::newRow("school-leaving certificate, female")
        << leaving << "kobieta" << "" << QStringList{"ZMIENNA_UkonczylA_STR1_DATA_EDIT="}
        << QStringList{"ZMIENNA_UkonczylA_STR1_DATA_EDIT=a",
                       "ZMIENNA_ImieNazwisko_STR1_DATA_EDIT=Jan Kowalski"};
    QTest::newRow("title page keeps a stored town")
        << title << male << "05210112345"
        << QStringList{"ZMIENNA_UrodzonyMiasto_DATA_EDIT=Nowy Targ", "ZMIENNA_UrodzonyA_DATA_EDIT=a"}
        << QStringList{"ZMIENNA_UrodzonyMiasto_DATA_EDIT=Nowy Targ",
                       "ZMIENNA_ImieNazwisko_DATA_EDIT=Jan Kowalski",
                       "ZMIENNA_UrodzonyDnia_DATA_EDIT=1 stycznia",
                       "ZMIENNA_UrodzonyRok_DATA_EDIT=2005 r.", "ZMIENNA_UrodzonyA_DATA_EDIT=y",
                       "ZMIENNA_PrzyjetyA_DATA_EDIT=y", "ZMIENNA_WpisanyA_DATA_EDIT=y",
                       "ZMIENNA_Pesel1_DATA_EDIT=0", "ZMIENNA_Pesel11_DATA_EDIT=5"};
    QTest::newRow("title page, empty town, short PESEL")
        << title << "" << "123456789" << QStringList{"ZMIENNA_Pesel10_DATA_EDIT=X"}
        << QStringList{"ZMIENNA_UrodzonyMiasto_DATA_EDIT=Kraków", "ZMIENNA_UrodzonyA_DATA_EDIT=a",
                       "ZMIENNA_Pesel1_DATA_EDIT=1", "ZMIENNA_Pesel9_DATA_EDIT=9",
                       "ZMIENNA_Pesel10_DATA_EDIT=", "ZMIENNA_Pesel11_DATA_EDIT="};
    QTest::newRow("title page, long PESEL shows the first eleven")
        << title << male << "123456789012" << QStringList{}
        << QStringList{"ZMIENNA_Pesel10_DATA_EDIT=0", "ZMIENNA_Pesel11_DATA_EDIT=1"};
    QTest::newRow("meeting report copies the name only")
        << report << male << "05210112345" << QStringList{"ZMIENNA_UrodzonyMiasto_DATA_EDIT="}
        << QStringList{"ZMIENNA_ImieNazwisko_DATA_EDIT=Jan Kowalski",
                       "ZMIENNA_UrodzonyMiasto_DATA_EDIT="};
    QTest::newRow("year page copies nothing")
        << year << male << "05210112345"
        << QStringList{"ZMIENNA_ImieNazwisko_DATA_EDIT=Adam Nowak"}
        << QStringList{"ZMIENNA_ImieNazwisko_DATA_EDIT=Adam Nowak", "ZMIENNA_Pesel1_DATA_EDIT="};
}

void TestFieldModel::pupilDataOverridesStoredValues() {
    QFETCH(int, family);
    QFETCH(QString, sex);
    QFETCH(QString, pesel);
    QFETCH(QStringList, stored);
    QFETCH(QStringList, expected);

    PupilModel pupil;
    pupil.setText(PupilModel::kFirstName, QStringLiteral("Jan"));
    pupil.setText(PupilModel::kSurname, QStringLiteral("Kowalski"));
    pupil.setText(PupilModel::kSex, sex);
    pupil.setText(PupilModel::kBirthDay, QStringLiteral("1 stycznia"));
    pupil.setText(PupilModel::kBirthYear, QStringLiteral("2005 r."));
    pupil.setText(PupilModel::kBirthTown, QStringLiteral("Kraków"));
    pupil.setText(PupilModel::kRegisterNumber, QStringLiteral("12"));
    pupil.setText(PupilModel::kPesel, pesel);
    QCOMPARE(pupil.text(PupilModel::kSex), sex);

    FormModel document(QStringLiteral("TFTest"), kDoc, FormModel::MarkerSet::Plain);
    RecordList records;
    for (const QString& pair : stored + expected) document.addComponent(Component::named(split(pair).first));
    for (const QString& pair : stored) records << rec(split(pair).first, split(pair).second);
    attachPupilData(document, pupil, static_cast<DocumentFamily>(family));

    document.vFunSetDataList(records);
    for (const QString& pair : expected) {
        const auto [name, value] = split(pair);
        QVERIFY2(document.text(name) == value, qPrintable(name + " = " + document.text(name)));
    }
}

void TestFieldModel::formWithoutComponentsKeepsItsRecords() {
    FormModel undescribed(QStringLiteral("TFNowy"), kDoc, FormModel::MarkerSet::Plain);
    const RecordList stored{rec("ZMIENNA_Klasa1_DATA_EDIT", "czwartej"),
                            rec("ZMIENNA_Obcy_DATA_EDIT", "inny dokument", QStringLiteral("INNY")),
                            rec("ZMIENNA_Szczegolne1_DATA_MEMO01", "wzorowe"),
                            rec("NIEZNANY_DATA_EDIT", "z innego pliku")};
    undescribed.vFunSetDataList(stored);

    RecordList collected{rec("stary", "x", QStringLiteral("INNY"))};
    QVERIFY(undescribed.bFunGetDataList(collected));
    QCOMPARE(rows(collected),
             rows({collected.first(), stored.at(0), stored.at(2), stored.at(3)}));

    // A new pupil starts without the previous pupil's records.
    undescribed.vFunClearData();
    collected.clear();
    QVERIFY(undescribed.bFunGetDataList(collected));
    QVERIFY(collected.isEmpty());
}

// The grade-sheet pages and the note store what they show: after a save and a load into
// fresh forms every value, memo lines included, is back; unknown names are dropped.
void TestFieldModel::registryRoundTripsSheetsAndNote() {
    const QString sheet6b = QString::fromLatin1(DocumentIds::kGradeSheet6b);
    const QString sheet8b = QString::fromLatin1(DocumentIds::kGradeSheet8b);
    const QString report = QString::fromLatin1(DocumentIds::kMeetingReport);
    const RecordList stored{
        rec("ZMIENNA_Klasa_DATA_EDIT", "4a", report),
        rec("ZMIENNA_Semestr_DATA_COMBOBOX", "drugi", report),
        rec("ZMIENNA_Klasa1_DATA_EDIT", "czwarta", sheet6b),
        rec("ZMIENNA_Szczegolne1_DATA_MEMO01", "konkurs", sheet6b),
        rec("ZMIENNA_Szczegolne1_DATA_MEMO02", "", sheet6b),
        rec("ZMIENNA_Szczegolne1_DATA_MEMO03", "olimpiada", sheet6b),
        rec("ZMEINNA_WynikSprawdzianu_DATA_MEMO01", "36 pkt", sheet8b),
        rec("NIEZNANY_DATA_EDIT", "z innego pliku", sheet6b),
    };
    FormRegistry before;
    before.applyAll(stored);
    RecordList saved;
    QVERIFY(before.collectAll(saved));
    QVERIFY(!rows(saved).contains(rows({stored.last()}).first()));

    FormRegistry after;
    after.applyAll(saved);
    const FormModel& note = *after.forDocumentId(report);
    const FormModel& page6 = *after.forDocumentId(sheet6b);
    QCOMPARE(note.text(QStringLiteral("ZMIENNA_Klasa_DATA_EDIT")), QStringLiteral("4a"));
    QCOMPARE(note.text(QStringLiteral("ZMIENNA_Semestr_DATA_COMBOBOX")), QStringLiteral("drugi"));
    QCOMPARE(page6.text(QStringLiteral("ZMIENNA_Klasa1_DATA_EDIT")), QStringLiteral("czwarta"));
    QCOMPARE(page6.lines(QStringLiteral("ZMIENNA_Szczegolne1_DATA_MEMO")),
             (QStringList{"konkurs", "", "olimpiada"}));
    const FormModel& page8 = *after.forDocumentId(sheet8b);
    QCOMPARE(page8.lines(QStringLiteral("ZMEINNA_WynikSprawdzianu_DATA_MEMO")),
             QStringList{"36 pkt"});
}

void TestFieldModel::registryFindsEveryCatalogueForm() {
    FormRegistry registry;
    QStringList order;
    for (const FormModel* model : registry.saveOrder()) order << model->windowName();
    QCOMPARE(order, (QStringList{"TFDaneUcznia", "TFKlasa4a", "TFKlasa4awyr", "TFKlasa5a",
                                 "TFKlasa5awyr", "TFKonieca", "TFKoniecawyr", "TFWywiadowka",
                                 "TFArkuszStr1b", "TFArkuszStr6b", "TFArkuszStr7b", "TFArkuszStr8b",
                                 "TFKlasa4", "TFKlasa4wyr", "TFKlasa5", "TFKlasa5wyr", "TFKoniec",
                                 "TFKoniecwyr", "TFArkuszStr1", "TFArkuszStr6", "TFArkuszStr7",
                                 "TFArkuszStr8"}));
    for (const DocumentType& type : documentTypes()) {
        const FormModel* model = registry.forModel(type.formName);
        QVERIFY2(model, qPrintable(type.formName));
        QCOMPARE(model->documentId(), type.documentId);
        QCOMPARE(registry.forDocumentId(type.documentId), model);
    }
    QCOMPARE(registry.forModel(QStringLiteral("TFDaneUcznia")), &registry.pupil());
    QCOMPARE(registry.forDocumentId(QStringLiteral("DANE UCZNIA")), &registry.pupil());
    QCOMPARE(registry.forModel(QStringLiteral("tfklasa4a")), nullptr);
}

QTEST_GUILESS_MAIN(TestFieldModel)
#include "tst_field_model.moc"
