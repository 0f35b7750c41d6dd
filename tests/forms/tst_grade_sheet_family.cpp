#include <QtTest>

#include "forms/certificate_family.h"
#include "forms/document_ids.h"
#include "forms/document_types.h"
#include "forms/field_model.h"
#include "forms/form_registry.h"
#include "forms/grade_sheet_family.h"
#include "forms/pupil_model.h"
#include "forms/sample_data.h"
#include "support/registry_forms.h"

namespace {

QStringList numberedLines(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i) lines << QStringLiteral("linia %1").arg(i);
    return lines;
}

}  // namespace

class TestGradeSheetFamily : public QObject {
    Q_OBJECT
private slots:
    void componentsFollowTheMember_data();
    void componentsFollowTheMember();
    void captionsFollowTheSeries_data();
    void captionsFollowTheSeries();
    void memoKeepsItsLineLimit_data();
    void memoKeepsItsLineLimit();
    void choicesNameCertificatesOfTheSameSeriesAndYear();
    void meetingNoteLimitsWhatCanBeTyped_data();
    void meetingNoteLimitsWhatCanBeTyped();
    void loadedPupilFillsTitlePagesAndNote_data();
    void loadedPupilFillsTitlePagesAndNote();
    void sampleDataReachesEveryPosition_data();
    void sampleDataReachesEveryPosition();
};

void TestGradeSheetFamily::componentsFollowTheMember_data() {
    QTest::addColumn<QString>("windowName");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("present");

    QTest::newRow("two years: column 2 grades") << "TFArkuszStr6"
                                                << "ZMIENNA_ZachowanieOcn2_DATA_COMBOBOX" << true;
    QTest::newRow("one year: no column 2") << "TFArkuszStr6b"
                                           << "ZMIENNA_ZachowanieOcn2_DATA_COMBOBOX" << false;
    QTest::newRow("row k, column c") << "TFArkuszStr8"
                                     << "ZMIENNA_DodatkowyEduOcn32_DATA_COMBOBOX" << true;
    QTest::newRow("shared subject name") << "TFArkuszStr7"
                                         << "ZMIENNA_DodatkowyOpis3_DATA_EDIT" << true;
    QTest::newRow("b page number") << "TFArkuszStr6b"
                                   << "ZMIENNA_Strona_DATA_EDIT" << true;
    QTest::newRow("basic insert: no page number") << "TFArkuszStr6"
                                                  << "ZMIENNA_Strona_DATA_EDIT" << false;
    QTest::newRow("page 7: second heading only")
        << "TFArkuszStr7"
        << "ZMIENNA_WynikiKlasyfikacji1_DATA_EDIT" << false;
    QTest::newRow("page 7: second heading") << "TFArkuszStr7"
                                            << "ZMIENNA_WynikiKlasyfikacji2_DATA_EDIT" << true;
    QTest::newRow("page 8: test result") << "TFArkuszStr8"
                                         << "ZMIENNA_WynikSprawdzianu_DATA_MEMO" << true;
    QTest::newRow("page 8b: the stored spelling") << "TFArkuszStr8b"
                                                  << "ZMEINNA_WynikSprawdzianu_DATA_MEMO" << true;
    QTest::newRow("page 8b: not the usual one") << "TFArkuszStr8b"
                                                << "ZMIENNA_WynikSprawdzianu_DATA_MEMO" << false;
    QTest::newRow("page 6: no test result") << "TFArkuszStr6"
                                            << "ZMIENNA_WynikSprawdzianu_DATA_MEMO" << false;
    QTest::newRow("basic title: class / semester") << "TFArkuszStr1"
                                                   << "ZMIENNA_DoKlasyNaSemestr_DATA_EDIT" << true;
    QTest::newRow("basic title: no b class") << "TFArkuszStr1"
                                             << "ZMIENNA_DoKlasy_DATA_EDIT" << false;
    QTest::newRow("b title: class") << "TFArkuszStr1b"
                                    << "ZMIENNA_DoKlasy_DATA_EDIT" << true;
    QTest::newRow("b title: period of study")
        << "TFArkuszStr1b"
        << "ZMIENNA_InformacjaOPrzedluzeniuOkNauki2_DATA_EDIT" << true;
    QTest::newRow("basic title: educational stage")
        << "TFArkuszStr1"
        << "ZMIENNA_InformacjaOWydluzeniuEtapu1_DATA_EDIT" << true;
    QTest::newRow("title: last PESEL box") << "TFArkuszStr1b"
                                           << "ZMIENNA_Pesel11_DATA_EDIT" << true;
    QTest::newRow("title: no year grades") << "TFArkuszStr1b"
                                           << "ZMIENNA_ZachowanieOcn1_DATA_COMBOBOX" << false;
    QTest::newRow("note: fifth subject") << "TFWywiadowka"
                                         << "ZMIENNA_DodatkowyOcn5_DATA_EDIT" << true;
    QTest::newRow("note: semester") << "TFWywiadowka"
                                    << "ZMIENNA_Semestr_DATA_COMBOBOX" << true;
}

void TestGradeSheetFamily::componentsFollowTheMember() {
    QFETCH(QString, windowName);
    QFETCH(QString, name);
    QFETCH(bool, present);
    const FormRegistry registry;
    QCOMPARE(form(registry, windowName).hasComponent(name), present);
}

void TestGradeSheetFamily::captionsFollowTheSeries_data() {
    QTest::addColumn<QString>("windowName");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("caption");

    QTest::newRow("basic row 10") << "TFArkuszStr6"
                                  << "STALY_ZajeciaKomputerowe_DATA_LABEL"
                                  << "Informatyka";
    QTest::newRow("basic row 11") << "TFArkuszStr8"
                                  << "STALY_ZajeciaTechniczne_DATA_LABEL"
                                  << "Technika";
    QTest::newRow("b row 10") << "TFArkuszStr6b"
                              << "STALY_ZajeciaKomputerowe_DATA_LABEL" << u8("Zajęcia komputerowe");
    QTest::newRow("b row 11") << "TFArkuszStr7b"
                              << "STALY_ZajeciaTechniczne_DATA_LABEL" << u8("Zajęcia techniczne");
    QTest::newRow("b form code") << "TFArkuszStr1b"
                                 << "STALY_MEN_DATA_LABEL"
                                 << "MEN-I/37b/2";
    QTest::newRow("basic form code") << "TFArkuszStr7"
                                     << "STALY_MEN_DATA_LABEL"
                                     << "MEN-I/37/2";
    QTest::newRow("page number") << "TFArkuszStr8b"
                                 << "STALY_Str_DATA_LABEL"
                                 << "str.";
    QTest::newRow("grade 6 final column")
        << "TFArkuszStr8b"
        << "STALY_Kolumna2_DATA_LABEL" << u8("klasyfikacja końcowa");
    QTest::newRow("basic title: class") << "TFArkuszStr1"
                                        << "STALY_PrzyjetyDoKlasy_DATA_LABEL"
                                        << "do klasy / na semestr";
    QTest::newRow("note: slash") << "TFWywiadowka"
                                 << "STALY_RokSzkolnySlash_DATA_LABEL"
                                 << "/";
    QTest::newRow("note: lateness") << "TFWywiadowka"
                                    << "STALY_Spoznien_DATA_LABEL" << u8("liczba spóźnień");
}

// Captions are fixed: they survive a clear and a load.
void TestGradeSheetFamily::captionsFollowTheSeries() {
    QFETCH(QString, windowName);
    QFETCH(QString, label);
    QFETCH(QString, caption);
    FormRegistry registry;
    registry.applyAll({FieldRecord::make(form(registry, windowName).documentId(), label, "x")});
    registry.clearAll();
    QCOMPARE(form(registry, windowName).text(label), caption);
}

void TestGradeSheetFamily::memoKeepsItsLineLimit_data() {
    QTest::addColumn<QString>("windowName");
    QTest::addColumn<QString>("memo");
    QTest::addColumn<int>("limit");
    QTest::newRow("achievements") << "TFArkuszStr6"
                                  << "ZMIENNA_Szczegolne2_DATA_MEMO" << 8;
    QTest::newRow("examinations") << "TFArkuszStr7b"
                                  << "ZMIENNA_InfoOEgzaminach1_DATA_MEMO" << 7;
    QTest::newRow("resolutions") << "TFArkuszStr8"
                                 << "ZMIENNA_DataUchwaly2_DATA_MEMO" << 5;
    QTest::newRow("test result") << "TFArkuszStr8"
                                 << "ZMIENNA_WynikSprawdzianu_DATA_MEMO" << 3;
    QTest::newRow("test result, b") << "TFArkuszStr8b"
                                    << "ZMEINNA_WynikSprawdzianu_DATA_MEMO" << 3;
}

// Pasted, appended or loaded: the memo keeps its first lines up to the limit.
void TestGradeSheetFamily::memoKeepsItsLineLimit() {
    QFETCH(QString, windowName);
    QFETCH(QString, memo);
    QFETCH(int, limit);
    FormRegistry registry;
    FormModel& page = form(registry, windowName);
    const QStringList twelve = numberedLines(12);
    const QStringList kept = twelve.mid(0, limit);

    page.setText(memo, twelve.join(QLatin1Char('\n')));
    QCOMPARE(page.lines(memo), kept);

    page.appendLine(memo, QStringLiteral("jeszcze jedna"));
    QCOMPARE(page.lines(memo), kept);

    RecordList stored;
    for (int i = 0; i < twelve.size(); ++i) {
        stored << FieldRecord::make(page.documentId(), memo + QString::asprintf("%02d", i + 1),
                                    twelve.at(i));
    }
    page.vFunSetDataList(stored);
    QCOMPARE(page.lines(memo), kept);

    page.vFunTrimMemoLines(memo, 2);
    QCOMPARE(page.lines(memo), twelve.mid(0, 2));
}

// A year page takes a column from the certificates of its own series and school year only.
void TestGradeSheetFamily::choicesNameCertificatesOfTheSameSeriesAndYear() {
    QCOMPARE(gradeSheetMembers().size(), 8);
    for (const GradeSheetMember& sheet : gradeSheetMembers()) {
        QCOMPARE(sheet.certificateChoices.isEmpty(), sheet.titlePage());
        const DocumentType* type = nullptr;
        for (const DocumentType& t : documentTypes()) {
            if (t.formName == sheet.windowName) type = &t;
        }
        QVERIFY2(type, qPrintable(sheet.windowName));
        for (const auto& choice : sheet.certificateChoices) {
            const CertificateMember* source = certificateMember(choice.sourceWindowName);
            QVERIFY2(source, qPrintable(choice.sourceWindowName));
            QCOMPARE(source->aSeries, sheet.bSeries);
            QCOMPARE(source->schoolLeaving(), sheet.page == 8);
            QCOMPARE(choice.caption.endsWith(QStringLiteral(" z wyr.")), source->distinction);
        }
    }
}

void TestGradeSheetFamily::meetingNoteLimitsWhatCanBeTyped_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("limit");
    QTest::newRow("name") << "ZMIENNA_ImieNazwisko_DATA_EDIT" << 50;
    QTest::newRow("class") << "ZMIENNA_Klasa_DATA_EDIT" << 12;
    QTest::newRow("year") << "ZMIENNA_RokSzkolny2_DATA_EDIT" << 4;
    QTest::newRow("semester") << "ZMIENNA_Semestr_DATA_COMBOBOX" << 20;
    QTest::newRow("language") << "ZMIENNA_JObcyOpis_DATA_EDIT" << 32;
    QTest::newRow("marks") << "ZMIENNA_TechnikaOcn_DATA_EDIT" << 42;
    QTest::newRow("further subject") << "ZMIENNA_Dodatkowy4_DATA_EDIT" << 38;
    QTest::newRow("its marks") << "ZMIENNA_DodatkowyOcn4_DATA_EDIT" << 42;
    QTest::newRow("late arrivals") << "ZMIENNA_Spoznien_DATA_EDIT" << 42;
}

void TestGradeSheetFamily::meetingNoteLimitsWhatCanBeTyped() {
    QFETCH(QString, name);
    QFETCH(int, limit);
    const FormRegistry registry;
    const FormModel& note = form(registry, QStringLiteral("TFWywiadowka"));
    QCOMPARE(note.component(note.indexOf(name)).maxLength, limit);
    // No data field of the note is left without a limit.
    for (int i = 0; i < note.componentCount(); ++i) {
        const Component& c = note.component(i);
        if (c.kind == ComponentKind::Edit || c.kind == ComponentKind::ComboBox)
            QVERIFY2(c.maxLength > 0, qPrintable(c.name));
    }
    QCOMPARE(note.component(note.indexOf(QStringLiteral("ZMIENNA_Semestr_DATA_COMBOBOX"))).items,
             (QStringList{"pierwszy", "drugi"}));
}

void TestGradeSheetFamily::loadedPupilFillsTitlePagesAndNote_data() {
    QTest::addColumn<QString>("pesel");
    QTest::addColumn<QStringList>("boxes");  // the texts of boxes 1 to 11
    QTest::newRow("nine characters")
        << "123456789" << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "", ""};
    QTest::newRow("twelve characters: the first eleven")
        << "123456789012" << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "1"};
}

// A pupil's load: both title pages show the PESEL box by box, and the note shows the pupil's
// name in place of the stored one while its other stored values stay.
void TestGradeSheetFamily::loadedPupilFillsTitlePagesAndNote() {
    QFETCH(QString, pesel);
    QFETCH(QStringList, boxes);
    const QString pupil = QString::fromLatin1(DocumentIds::kPupilData);
    const QString note = QString::fromLatin1(DocumentIds::kMeetingReport);
    const QString title1 = QString::fromLatin1(DocumentIds::kGradeSheet1);
    RecordList records{
        FieldRecord::make(pupil, PupilModel::kFirstName, QStringLiteral("Jan")),
        FieldRecord::make(pupil, PupilModel::kSurname, QStringLiteral("Kowalski")),
        FieldRecord::make(pupil, PupilModel::kPesel, pesel),
        FieldRecord::make(note, QStringLiteral("ZMIENNA_ImieNazwisko_DATA_EDIT"), "Adam Nowak"),
        FieldRecord::make(note, QStringLiteral("ZMIENNA_Klasa_DATA_EDIT"), "4a"),
        FieldRecord::make(note, QStringLiteral("ZMIENNA_Semestr_DATA_COMBOBOX"), "drugi"),
        FieldRecord::make(title1, QStringLiteral("ZMIENNA_Pesel10_DATA_EDIT"), "X"),
    };
    FormRegistry registry;
    registry.applyAll(records);

    for (const QString& title : {QStringLiteral("TFArkuszStr1"), QStringLiteral("TFArkuszStr1b")}) {
        QStringList shown;
        for (int box = 1; box <= 11; ++box)
            shown
                << form(registry, title).text(QStringLiteral("ZMIENNA_Pesel%1_DATA_EDIT").arg(box));
        QCOMPARE(shown, boxes);
    }
    const FormModel& meeting = form(registry, QStringLiteral("TFWywiadowka"));
    QCOMPARE(meeting.text(QStringLiteral("ZMIENNA_ImieNazwisko_DATA_EDIT")),
             QStringLiteral("Jan Kowalski"));
    QCOMPARE(meeting.text(QStringLiteral("ZMIENNA_Klasa_DATA_EDIT")), QStringLiteral("4a"));
    QCOMPARE(meeting.text(QStringLiteral("ZMIENNA_Semestr_DATA_COMBOBOX")),
             QStringLiteral("drugi"));
}

void TestGradeSheetFamily::sampleDataReachesEveryPosition_data() {
    QTest::addColumn<QString>("windowName");
    QTest::addColumn<QStringList>("expected");  // a few "name=text" pairs
    QTest::newRow("basic title page")
        << "TFArkuszStr1"
        << QStringList{u8("ZMIENNA_NazwaSzkoly1_DATA_EDIT=nazwa szkoły 1"),
                       "ZMIENNA_UrodzonyA_DATA_EDIT=y",
                       "ZMIENNA_Pesel1_DATA_EDIT=0",
                       "ZMIENNA_Pesel10_DATA_EDIT=9",
                       "ZMIENNA_Pesel11_DATA_EDIT=1",
                       "ZMIENNA_RokSzkolny1_DATA_EDIT=2010"};
    QTest::newRow("b title page") << "TFArkuszStr1b"
                                  << QStringList{
                                         u8("ZMIENNA_ImieNazwisko_DATA_EDIT=imię i nazwisko"),
                                         "ZMIENNA_UrodzonyDnia_DATA_EDIT=1 stycznia"};
    QTest::newRow("page 6") << "TFArkuszStr6"
                            << QStringList{"ZMIENNA_Rok1_DATA_EDIT=rok 1",
                                           "ZMIENNA_Klasa2_DATA_EDIT=klasa 2",
                                           "ZMIENNA_JPolskiOcn1_DATA_COMBOBOX=polski 1",
                                           "ZMIENNA_DodatkowyOcn21_DATA_COMBOBOX=dod. ocn 21"};
    QTest::newRow("page 8 headings")
        << "TFArkuszStr8"
        << QStringList{"ZMIENNA_WynikiKlasyfikacji1_DATA_EDIT=wyn. klas",
                       "ZMIENNA_WynikiKlasyfikacji2_DATA_EDIT=wyn. klas"};
    QTest::newRow("page 6b number") << "TFArkuszStr6b" << QStringList{"ZMIENNA_Strona_DATA_EDIT=6"};
    QTest::newRow("page 7b number") << "TFArkuszStr7b" << QStringList{"ZMIENNA_Strona_DATA_EDIT=7"};
    QTest::newRow("page 8b number") << "TFArkuszStr8b" << QStringList{"ZMIENNA_Strona_DATA_EDIT=8"};
    QTest::newRow("note") << "TFWywiadowka"
                          << QStringList{"ZMIENNA_Klasa_DATA_EDIT=pierwsza",
                                         "ZMIENNA_Semestr_DATA_COMBOBOX=pierwszy",
                                         "ZMIENNA_ZachowanieOcn_DATA_EDIT=dobre",
                                         "ZMIENNA_InformatykaOcn_DATA_EDIT=1,2,3,4,5",
                                         "ZMIENNA_Dodatkowy5_DATA_EDIT=dodatkowy 5",
                                         "ZMIENNA_DodatkowyOcn5_DATA_EDIT=1,2,3,4,5",
                                         "ZMIENNA_Spoznien_DATA_EDIT=3"};
}

// Every data component shows text, every memo is full, and the listed ones read as given.
void TestGradeSheetFamily::sampleDataReachesEveryPosition() {
    QFETCH(QString, windowName);
    QFETCH(QStringList, expected);
    const FormRegistry registry;
    FormModel& page = form(registry, windowName);
    vFunFillDocumentSampleData(page);
    for (int i = 0; i < page.componentCount(); ++i) {
        const Component& c = page.component(i);
        if (c.kind == ComponentKind::Memo) {
            QCOMPARE(page.lineCount(c.name), c.maxLines);
            QVERIFY2(page.line(c.name, 0).endsWith(QStringLiteral(" linia 1")), qPrintable(c.name));
        } else if (c.kind == ComponentKind::Edit || c.kind == ComponentKind::ComboBox) {
            QVERIFY2(!page.text(c.name).isEmpty(), qPrintable(c.name));
            if (c.maxLength > 0)
                QVERIFY2(page.text(c.name).size() <= c.maxLength, qPrintable(c.name));
        }
    }
    for (const QString& pair : expected) {
        const QString name = pair.section(QLatin1Char('='), 0, 0);
        QCOMPARE(page.text(name), pair.section(QLatin1Char('='), 1));
    }
    // A certificate is filled by its own family through the same entry point.
    FormModel& certificate = form(registry, QStringLiteral("TFKlasa4a"));
    vFunFillDocumentSampleData(certificate);
    QCOMPARE(certificate.text(QStringLiteral("ZMIENNA_JObcyOpis_STR2_DATA_EDIT")),
             QStringLiteral("angielski"));
}

QTEST_GUILESS_MAIN(TestGradeSheetFamily)
#include "tst_grade_sheet_family.moc"
