#include <QtTest>

#include "forms/field_model.h"
#include "forms/form_registry.h"
#include "forms/sheet_certificate_load.h"
#include "support/registry_forms.h"
#include "support/scripted_prompter.h"

namespace {

// Every data component of the page holds "stare" (memos: one line), so a write shows.
void fillWithOldValues(FormModel& page) {
    for (int i = 0; i < page.componentCount(); ++i) {
        const Component& c = page.component(i);
        if (c.kind == ComponentKind::Edit || c.kind == ComponentKind::ComboBox ||
            c.kind == ComponentKind::Memo)
            page.setText(c.name, QStringLiteral("stare"));
    }
}

// The grade boxes get the text of their own name, so a value shows where it came from.
void fillCertificate(FormModel& certificate) {
    for (int i = 0; i < certificate.componentCount(); ++i) {
        const Component& c = certificate.component(i);
        if (c.kind == ComponentKind::ComboBox || c.kind == ComponentKind::Edit)
            certificate.setText(c.name, c.name.section(QLatin1Char('_'), 1, 1));
    }
    certificate.setText(QStringLiteral("ZMIENNA_RokSzkolny1_STR1_DATA_EDIT"), "2009");
    certificate.setText(QStringLiteral("ZMIENNA_RokSzkolny2_STR1_DATA_EDIT"), "2010");
}

QStringList texts(const FormModel& page) {
    QStringList list;
    for (int i = 0; i < page.componentCount(); ++i)
        list << page.component(i).name + QLatin1Char('=') + page.text(page.component(i).name);
    return list;
}

// Names a column-`column` write may change: the column's own fields and the shared names.
bool writableByColumn(const QString& name, int column) {
    const QString c = QString::number(column);
    static const QRegularExpression shared(
        QStringLiteral("^ZMIENNA_(JObcyOpis|DodatkowyOpis\\d|DodatkowyEduOpis\\d)_DATA_EDIT$"));
    const QRegularExpression own(QStringLiteral("^ZMIENNA_(Rok|Klasa|NrDziennika|\\w+Ocn\\d?|"
                                                "Szczegolne)%1_DATA_(EDIT|COMBOBOX|MEMO)$")
                                     .arg(c));
    return shared.match(name).hasMatch() || own.match(name).hasMatch();
}

}  // namespace

class TestSheetExport : public QObject {
    Q_OBJECT
private slots:
    void columnTakesTheChosenCertificate();
    void achievementLinesSkipEmptyOnes_data();
    void achievementLinesSkipEmptyOnes();
    void schoolLeavingKeepsTheSheetsClass();
    void missingChoiceWarnsAndChangesNothing_data();
    void missingChoiceWarnsAndChangesNothing();
};

// "czwarta z wyr." into column 2 of page 6: column 2 and the shared names, nothing else.
void TestSheetExport::columnTakesTheChosenCertificate() {
    ScriptedPrompter prompts;
    FormRegistry forms;
    FormModel& page = form(forms, QStringLiteral("TFArkuszStr6"));
    fillWithOldValues(page);
    fillCertificate(form(forms, QStringLiteral("TFKlasa4wyr")));
    form(forms, QStringLiteral("TFKlasa4")).setText("ZMIENNA_WfOcena_STR2_DATA_COMBOBOX", "inny");
    const QStringList before = texts(page);

    QVERIFY(WczytajDaneZSwiadectwa(nullptr, forms, page, 1, 1));
    QVERIFY_PROMPTS(prompts);

    const QStringList after = texts(page);
    QStringList changed;
    for (int i = 0; i < before.size(); ++i) {
        if (before.at(i) != after.at(i)) changed << page.component(i).name;
    }
    for (const QString& name : changed) QVERIFY2(writableByColumn(name, 2), qPrintable(name));
    const QStringList expected{
        "ZMIENNA_Rok2_DATA_EDIT=2009 / 2010",
        "ZMIENNA_Klasa2_DATA_EDIT=Klasa",
        "ZMIENNA_NrDziennika2_DATA_EDIT=SwiadectwoNr",
        "ZMIENNA_ZachowanieOcn2_DATA_COMBOBOX=ZachowanieOcena",
        "ZMIENNA_JPolskiOcn2_DATA_COMBOBOX=PolskiOcena",
        "ZMIENNA_MuzykaOcn2_DATA_COMBOBOX=MuzykaOcenaBox",
        "ZMIENNA_ZajeciaKomputeroweOcn2_DATA_COMBOBOX=InformatykaOcena",
        "ZMIENNA_ZajeciaTechniczneOcn2_DATA_COMBOBOX=TechnikaOcena",
        "ZMIENNA_WfOcn2_DATA_COMBOBOX=WfOcena",
        "ZMIENNA_JObcyOpis_DATA_EDIT=JObcyOpis",
        "ZMIENNA_DodatkowyOpis3_DATA_EDIT=ObowiazkowyDod3",
        "ZMIENNA_DodatkowyOcn32_DATA_COMBOBOX=ObowiazkowyDodOcena3",
        "ZMIENNA_DodatkowyEduOpis1_DATA_EDIT=DodatkowyEdu1",
        "ZMIENNA_DodatkowyEduOcn12_DATA_COMBOBOX=DodatkowyEduOcena1",
        "ZMIENNA_Szczegolne2_DATA_MEMO=Szczegolne1\nSzczegolne2\nSzczegolne3",
        "ZMIENNA_ZachowanieOcn1_DATA_COMBOBOX=stare",
        "ZMIENNA_GodzOpuszczoneOgolem2_DATA_EDIT=stare",
    };
    for (const QString& pair : expected) QVERIFY2(after.contains(pair), qPrintable(pair));
}

void TestSheetExport::achievementLinesSkipEmptyOnes_data() {
    QTest::addColumn<QStringList>("certificateLines");
    QTest::addColumn<QStringList>("memo");
    QTest::newRow("only the second") << QStringList{"", "konkurs", ""} << QStringList{"konkurs"};
    QTest::newRow("first and third") << QStringList{"a", "", "c"} << QStringList{"a", "c"};
    QTest::newRow("none: the memo is emptied") << QStringList{"", "", ""} << QStringList{};
}

void TestSheetExport::achievementLinesSkipEmptyOnes() {
    QFETCH(QStringList, certificateLines);
    QFETCH(QStringList, memo);
    FormRegistry forms;
    FormModel& certificate = form(forms, QStringLiteral("TFKlasa4a"));
    for (int k = 1; k <= 3; ++k) {
        certificate.setText(QStringLiteral("ZMIENNA_Szczegolne%1_STR2_DATA_EDIT").arg(k),
                            certificateLines.at(k - 1));
    }
    FormModel& page = form(forms, QStringLiteral("TFArkuszStr6b"));
    page.setText(QStringLiteral("ZMIENNA_Szczegolne1_DATA_MEMO"), QStringLiteral("stara\nstara"));

    QVERIFY(WczytajDaneZSwiadectwa(nullptr, forms, page, 0, -1));
    QCOMPARE(page.lines(QStringLiteral("ZMIENNA_Szczegolne1_DATA_MEMO")), memo);
}

// The grade 6 certificates name no class: the page keeps its own; the a series' subject
// names reach the same rows.
void TestSheetExport::schoolLeavingKeepsTheSheetsClass() {
    FormRegistry forms;
    fillCertificate(form(forms, QStringLiteral("TFKoniecawyr")));
    FormModel& page = form(forms, QStringLiteral("TFArkuszStr8b"));
    page.setText(QStringLiteral("ZMIENNA_Klasa2_DATA_EDIT"), u8("szósta"));

    QVERIFY(WczytajDaneZSwiadectwa(nullptr, forms, page, 1, 1));
    QCOMPARE(page.text(QStringLiteral("ZMIENNA_Klasa2_DATA_EDIT")), u8("szósta"));
    QCOMPARE(page.text(QStringLiteral("ZMIENNA_Rok2_DATA_EDIT")), QStringLiteral("2009 / 2010"));
    QCOMPARE(page.text(QStringLiteral("ZMIENNA_ZajeciaKomputeroweOcn2_DATA_COMBOBOX")),
             QStringLiteral("ZajKomputeroweOcena"));
    QCOMPARE(page.text(QStringLiteral("ZMIENNA_ZajeciaTechniczneOcn2_DATA_COMBOBOX")),
             QStringLiteral("ZajTechniczneOcena"));
}

void TestSheetExport::missingChoiceWarnsAndChangesNothing_data() {
    QTest::addColumn<QString>("windowName");
    QTest::addColumn<int>("certificate");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    const QString both =
        u8("Aby wczytać dane proszę wybrać typ świadectwa oraz\n"
           "kolumnę arkusza gdzie dane mają zostać wczytane.");
    const QString certificateOnly = u8("Aby wczytać dane proszę wybrać typ świadectwa.");
    QTest::newRow("two columns, no certificate") << "TFArkuszStr6" << -1 << 0 << both;
    QTest::newRow("two columns, no column") << "TFArkuszStr8b" << 0 << -1 << both;
    QTest::newRow("two columns, neither") << "TFArkuszStr7" << -1 << -1 << both;
    QTest::newRow("one column, no certificate") << "TFArkuszStr7b" << -1 << 0 << certificateOnly;
}

void TestSheetExport::missingChoiceWarnsAndChangesNothing() {
    QFETCH(QString, windowName);
    QFETCH(int, certificate);
    QFETCH(int, column);
    QFETCH(QString, text);
    ScriptedPrompter prompts;
    prompts.expectMessage(text, QStringLiteral("Brak Wyboru"), PromptIcon::Warning,
                          PromptButtons::Ok);
    FormRegistry forms;
    for (const char* name : {"TFKlasa4", "TFKlasa5wyr", "TFKoniec", "TFKonieca", "TFKlasa5a"})
        fillCertificate(form(forms, name));
    FormModel& page = form(forms, windowName);
    fillWithOldValues(page);
    const QStringList before = texts(page);

    QVERIFY(!WczytajDaneZSwiadectwa(nullptr, forms, page, certificate, column));
    QVERIFY_PROMPTS(prompts);
    QCOMPARE(texts(page), before);
}

QTEST_MAIN(TestSheetExport)
#include "tst_sheet_export.moc"
