#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "forms/certificate_family.h"
#include "forms/field_model.h"
#include "forms/form_registry.h"
#include "forms/school_data_dialog.h"
#include "forms/school_template.h"
#include "forms/school_template_model.h"
#include "storage/clock.h"
#include "storage/error_stream.h"
#include "storage/install_check.h"
#include "storage/paths.h"
#include "storage/school_template.h"
#include "storage/settings_store.h"
#include "support/scripted_prompter.h"
#include "support/test_environment.h"

namespace {

const QString kId = QStringLiteral("DANE SZKOLY");
const QString kTable = QStringLiteral("school_data");
const QString kSetting = QStringLiteral("create_school_data_template");
const QString kYear1 = QStringLiteral("ZMIENNA_RokSzkolny1_DATA_EDIT");
const QString kYear2 = QStringLiteral("ZMIENNA_RokSzkolny2_DATA_EDIT");
const QString kClass = QStringLiteral("ZMIENNA_Klasa_DATA_EDIT");
const QString kSchoolName = QStringLiteral("ZMIENNA_NazwaSzkolyPodstawowej1_DATA_EDIT");
const QString kPatron = QStringLiteral("ZMIENNA_SzkolaIm1_DATA_EDIT");

// Template field -> certificate field, as the paper certificate names its blanks.
const QList<QPair<QString, QString>> kCertificateMapping = [] {
    QList<QPair<QString, QString>> pairs;
    auto add = [&pairs](const char* from, const char* to) {
        pairs.append({QString::fromLatin1(from), QString::fromLatin1(to)});
    };
    add("ZMIENNA_RokSzkolny1_DATA_EDIT", "ZMIENNA_RokSzkolny1_STR1_DATA_EDIT");
    add("ZMIENNA_RokSzkolny2_DATA_EDIT", "ZMIENNA_RokSzkolny2_STR1_DATA_EDIT");
    add("ZMIENNA_Klasa_DATA_EDIT", "ZMIENNA_Klasa_STR1_DATA_EDIT");
    add("ZMIENNA_NazwaSzkolyPodstawowej1_DATA_EDIT", "ZMIENNA_NazwaSzkolyPodstawowej1_STR1_DATA_EDIT");
    add("ZMIENNA_NazwaSzkolyPodstawowej2_DATA_EDIT", "ZMIENNA_NazwaSzkolyPodstawowej2_STR1_DATA_EDIT");
    add("ZMIENNA_SzkolaNr_DATA_EDIT", "ZMIENNA_NrSzkoly_STR1_DATA_EDIT");
    add("ZMIENNA_SzkolaIm1_DATA_EDIT", "ZMIENNA_ImieSzkoly1_STR1_DATA_EDIT");
    add("ZMIENNA_SzkolaIm2_DATA_EDIT", "ZMIENNA_ImieSzkoly2_STR1_DATA_EDIT");
    add("ZMIENNA_SzkolaWE_DATA_EDIT", "ZMIENNA_SzkolaWE_STR1_DATA_EDIT");
    add("ZMIENNA_SzkolaMiasto_DATA_EDIT", "ZMIENNA_SzkolaMiasto_STR1_DATA_EDIT");
    add("ZMIENNA_SzkolaWoj_DATA_EDIT", "ZMIENNA_SzkolaWoj_STR1_DATA_EDIT");
    add("ZMIENNA_PromocjaKlasa_DATA_EDIT", "ZMIENNA_PromocjaKlasa_STR1_DATA_EDIT");
    add("ZMIENNA_Miejscowosc_DATA_EDIT", "ZMIENNA_Miejscowosc_STR1_DATA_EDIT");
    add("ZMIENNA_MiejscowoscDnia_DATA_EDIT", "ZMIENNA_MiejscowoscDnia_STR1_DATA_EDIT");
    add("ZMIENNA_MiejscowoscRok_DATA_EDIT", "ZMIENNA_MiejscowoscRok_STR1_DATA_EDIT");
    add("ZMIENNA_JObcy_DATA_EDIT", "ZMIENNA_JObcyOpis_STR2_DATA_EDIT");
    for (int k = 1; k <= 3; ++k) {
        pairs.append({QStringLiteral("ZMIENNA_ObowiazkoweEdu%1_DATA_EDIT").arg(k),
                      QStringLiteral("ZMIENNA_ObowiazkowyDod%1_STR2_DATA_EDIT").arg(k)});
        pairs.append({QStringLiteral("ZMIENNA_DodatkoweEdu%1_DATA_EDIT").arg(k),
                      QStringLiteral("ZMIENNA_DodatkowyEdu%1_STR2_DATA_EDIT").arg(k)});
    }
    return pairs;
}();

const QStringList kTitlePageFields = {
    QStringLiteral("ZMIENNA_NazwaSzkoly1_DATA_EDIT"),
    QStringLiteral("ZMIENNA_NazwaSzkoly2_DATA_EDIT"),
    QStringLiteral("ZMIENNA_NazwaSzkoly3_DATA_EDIT"),
    QStringLiteral("ZMIENNA_SzkolaNiepublicznaProwadzonaPrzez1_DATA_EDIT"),
    QStringLiteral("ZMIENNA_SzkolaNiepublicznaProwadzonaPrzez2_DATA_EDIT"),
    QStringLiteral("ZMIENNA_SzkolaNiepublicznaPodNr_DATA_EDIT"),
};

QString templatePath() {
    ErrorStream err;
    return strFunGetTemplateFilePath(err);
}

void storeTemplate(const RecordList& records) {
    ErrorStream err;
    QVERIFY2(bFunSqlTemplateWriteData(err, templatePath(), kTable, records), qPrintable(err.text()));
}

RecordList storedTemplate() {
    ErrorStream err;
    RecordList records;
    if (!bFunSqlTemplateReadData(err, templatePath(), kTable, records)) qWarning() << err.text();
    return records;
}

// A template file that is no database: every read and write of it fails.
void damageTemplate() {
    QFile file(templatePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'z'));
}

int setting() {
    ErrorStream err;
    int value = -1;
    bFunSqlGetSettingsValue(err, kSetting, value);
    return value;
}

QString text(const QWidget& window, const QString& name) {
    auto* edit = window.findChild<QLineEdit*>(name);
    return edit ? edit->text() : QStringLiteral("<no field %1>").arg(name);
}

void click(QWidget& window, const char* button) {
    window.findChild<QPushButton*>(QLatin1String(button))->click();
}

}  // namespace

// The school-data template: its window over the registry's model, the fill of documents from
// the saved template and the copy of a filled document into the window.
class TestSchoolTemplate : public QObject {
    Q_OBJECT

private slots:
    void init() {
        program_clock::setClock([] { return QDateTime(QDate(2026, 1, 10), QTime(9, 0)); });
    }
    void cleanup() { program_clock::setClock({}); }

    // Empty school years get last year and this year; saved ones stay. Opening the window marks
    // the template as created.
    void openingFillsEmptySchoolYears_data() {
        QTest::addColumn<RecordList>("saved");
        QTest::addColumn<QString>("year1");
        QTest::addColumn<QString>("year2");
        QTest::newRow("nothing saved") << RecordList{} << "2025" << "2026";
        QTest::newRow("both saved") << RecordList{{kId, kYear1, "2019"}, {kId, kYear2, "2020"}}
                                    << "2019" << "2020";
        QTest::newRow("second saved") << RecordList{{kId, kYear1, ""}, {kId, kYear2, "2031"}}
                                      << "2025" << "2031";
    }

    void openingFillsEmptySchoolYears() {
        QFETCH(RecordList, saved);
        QFETCH(QString, year1);
        QFETCH(QString, year2);
        TestEnvironment env;
        ErrorStream err;
        QVERIFY(bFunCheckFilesDir(err));
        QVERIFY(bFunSqlSettingWriteValue(err, kSetting, 1));
        if (!saved.isEmpty()) storeTemplate(saved);
        ScriptedPrompter prompts;
        FormRegistry forms;
        forms.schoolTemplate().setText(kPatron, QStringLiteral("left from before"));
        TFDaneSzkoly window(forms);

        window.show();
        QCOMPARE(text(window, kYear1), year1);
        QCOMPARE(text(window, kYear2), year2);
        QCOMPARE(text(window, kPatron), QString());
        QCOMPARE(window.findChild<QComboBox*>(QStringLiteral("DocTypeComboBox"))->currentText(),
                 QStringLiteral("MEN-I/3a/2 kl. 4"));
        QCOMPARE(setting(), 0);
        QVERIFY_PROMPTS(prompts);
    }

    // "Zapisz" stores a row for every field, empty ones too, in the window's order; an
    // apostrophe comes back as typed at the next opening.
    void saveStoresEveryField() {
        TestEnvironment env;
        ScriptedPrompter prompts;
        FormRegistry forms;
        TFDaneSzkoly window(forms);
        window.show();
        QTest::keyClicks(window.findChild<QLineEdit*>(kPatron), QStringLiteral("O'Brien"));
        click(window, "OKButton");
        QVERIFY(!window.isVisible());

        const RecordList stored = storedTemplate();
        QCOMPARE(stored.size(), forms.schoolTemplate().componentCount());
        QCOMPARE(stored.size(), kCertificateMapping.size() + kTitlePageFields.size());
        for (int i = 0; i < stored.size(); ++i) {
            QCOMPARE(stored.at(i).id, kId);
            QCOMPARE(stored.at(i).compName, forms.schoolTemplate().component(i).name);
        }
        QCOMPARE(forms.schoolTemplate().component(0).name, kYear1);
        QCOMPARE(stored.at(0).value, QStringLiteral("2025"));
        QCOMPARE(stored.at(forms.schoolTemplate().indexOf(kClass)).value, QString());

        forms.schoolTemplate().vFunClearData();
        window.show();
        QCOMPARE(text(window, kPatron), QStringLiteral("O'Brien"));
        QVERIFY_PROMPTS(prompts);
    }

    // A save that fails says so and keeps the window open with what was typed.
    void failedSaveKeepsTheWindowOpen() {
        TestEnvironment env;
        damageTemplate();
        ScriptedPrompter prompts;
        FormRegistry forms;
        TFDaneSzkoly window(forms);
        prompts.expectMessage(QStringLiteral("Błąd podczas odczytu danych.\n\nSqlException\nSQLITE_NOTADB"),
                              QStringLiteral("Błąd"), PromptIcon::Error, PromptButtons::Ok);
        window.show();
        QTest::keyClicks(window.findChild<QLineEdit*>(kPatron), QStringLiteral("Kopernika"));
        prompts.expectMessageStartingWith(QStringLiteral("Błąd podczas próby zapisania danych do pliku.\n\n"),
                              QStringLiteral("Błąd"), PromptIcon::Error, PromptButtons::Ok);
        click(window, "OKButton");
        QVERIFY(window.isVisible());
        QCOMPARE(text(window, kPatron), QStringLiteral("Kopernika"));
        QVERIFY_PROMPTS(prompts);
    }

    // Closing without "Zapisz" asks only when a value changed, as the editing windows do.
    void closingWithoutSave_data() {
        QTest::addColumn<bool>("edit");
        QTest::addColumn<bool>("escape");
        QTest::addColumn<PromptAnswer>("answer");
        QTest::addColumn<bool>("open");
        QTest::addColumn<QString>("stored");
        QTest::newRow("nothing changed, Escape") << false << true << PromptAnswer::Ok << false << "";
        QTest::newRow("changed, Anuluj, Nie") << true << false << PromptAnswer::No << false << "";
        QTest::newRow("changed, Escape, Tak") << true << true << PromptAnswer::Yes << false << "Reja";
        QTest::newRow("changed, Anuluj, Anuluj") << true << false << PromptAnswer::Cancel << true << "";
    }

    void closingWithoutSave() {
        QFETCH(bool, edit);
        QFETCH(bool, escape);
        QFETCH(PromptAnswer, answer);
        QFETCH(bool, open);
        QFETCH(QString, stored);
        TestEnvironment env;
        ScriptedPrompter prompts;
        FormRegistry forms;
        TFDaneSzkoly window(forms);
        window.show();
        if (edit) {
            QTest::keyClicks(window.findChild<QLineEdit*>(kPatron), QStringLiteral("Reja"));
            prompts.expectMessage(QStringLiteral("Czy zapisać zmiany wprowadzone w tym oknie?"),
                                  QStringLiteral("Szablon danych"), PromptIcon::Question,
                                  PromptButtons::YesNoCancel, answer);
        }
        if (escape)
            QTest::keyClick(&window, Qt::Key_Escape);
        else
            click(window, "AnulujButton");
        QCOMPARE(window.isVisible(), open);
        const RecordList saved = storedTemplate();
        QCOMPARE(saved.isEmpty() ? QString() : saved.at(forms.schoolTemplate().indexOf(kPatron)).value,
                 stored);
        QVERIFY_PROMPTS(prompts);
    }

    // "Wczytaj dane ze świadectwa / arkusza" copies from the form the chosen entry names; a
    // school-leaving certificate has no class, so the template keeps its own.
    void loadingFromACertificate_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("form");
        QTest::addColumn<bool>("withClass");
        QTest::newRow("4a") << "MEN-I/3a/2 kl. 4" << "TFKlasa4a" << true;
        QTest::newRow("5a wyr.") << "MEN-I/3a-w/2 kl. 5 wyr." << "TFKlasa5awyr" << true;
        QTest::newRow("6 plain") << "MEN-I/6/2 koniec" << "TFKoniec" << false;
        QTest::newRow("6 a series") << "MEN-I/6a/2 koniec" << "TFKonieca" << false;
        QTest::newRow("6 plain wyr.") << "MEN-I/6-w/2 koniec wyr." << "TFKoniecwyr" << false;
        QTest::newRow("6 a series wyr.") << "MEN-I/6a-w/2 koniec wyr." << "TFKoniecawyr" << false;
    }

    // The title pages give the six fields of the second tab and leave the first tab alone.
    void loadingFromATitlePage_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("form");
        QTest::newRow("basic") << "MEN-I/37/2 arkusz str1." << "TFArkuszStr1";
        QTest::newRow("b series") << "MEN-I/37b/2 arkusz str 1." << "TFArkuszStr1b";
    }

    void loadingFromATitlePage() {
        QFETCH(QString, entry);
        QFETCH(QString, form);
        TestEnvironment env;
        ScriptedPrompter prompts;
        FormRegistry forms;
        for (const char* page : {"TFArkuszStr1", "TFArkuszStr1b"}) {
            for (const QString& field : kTitlePageFields)
                forms.forModel(QLatin1String(page))->setText(field, QLatin1String(page));
        }
        storeTemplate({{kId, kPatron, QStringLiteral("Reja")}});
        TFDaneSzkoly window(forms);
        window.show();
        auto* sources = window.findChild<QComboBox*>(QStringLiteral("DocTypeComboBox"));
        sources->setCurrentIndex(sources->findText(entry));
        QCOMPARE(sources->currentText(), entry);
        click(window, "LoadTemplateButton");
        for (const QString& field : kTitlePageFields) QCOMPARE(text(window, field), form);
        QCOMPARE(text(window, kPatron), QStringLiteral("Reja"));
        QVERIFY_PROMPTS(prompts);
    }

    void loadingFromACertificate() {
        QFETCH(QString, entry);
        QFETCH(QString, form);
        QFETCH(bool, withClass);
        TestEnvironment env;
        ScriptedPrompter prompts;
        FormRegistry forms;
        for (const CertificateMember& member : certificateMembers()) {
            FormModel* certificate = forms.forModel(member.windowName);
            for (const auto& pair : kCertificateMapping)
                certificate->setText(pair.second, member.windowName + QLatin1Char(':') + pair.first);
        }
        storeTemplate({{kId, kClass, QStringLiteral("piątej")}});
        TFDaneSzkoly window(forms);
        window.show();
        auto* sources = window.findChild<QComboBox*>(QStringLiteral("DocTypeComboBox"));
        sources->setCurrentIndex(sources->findText(entry));
        QCOMPARE(sources->currentText(), entry);
        click(window, "LoadTemplateButton");

        for (const auto& pair : kCertificateMapping) {
            const bool classField = pair.first == kClass ||
                                    pair.first == QStringLiteral("ZMIENNA_PromocjaKlasa_DATA_EDIT");
            QString expected = form + QLatin1Char(':') + pair.first;
            if (classField && !withClass)
                expected = pair.first == kClass ? QStringLiteral("piątej") : QString();
            QCOMPARE(text(window, pair.first), expected);
        }
        QCOMPARE(text(window, kTitlePageFields.first()), QString());
        QVERIFY_PROMPTS(prompts);
    }

    // The template button of every certificate: each mapped field takes the template's value,
    // an empty one too, over what was typed; a school-leaving certificate has twenty of them.
    void fillingACertificate_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<int>("filled");
        for (const CertificateMember& member : certificateMembers())
            QTest::newRow(qPrintable(member.windowName)) << member.windowName << (member.schoolLeaving() ? 20 : 22);
    }

    void fillingACertificate() {
        QFETCH(QString, form);
        QFETCH(int, filled);
        TestEnvironment env;
        ScriptedPrompter prompts;
        FormRegistry forms;
        RecordList saved;
        for (const auto& pair : kCertificateMapping) {
            // Every third field saved empty.
            const QString value = saved.size() % 3 == 1 ? QString() : QStringLiteral("t:") + pair.first;
            saved.append({kId, pair.first, value});
        }
        storeTemplate(saved);
        FormModel& certificate = *forms.forModel(form);
        for (const auto& pair : kCertificateMapping) certificate.setText(pair.second, QStringLiteral("typed"));
        certificate.setText(QStringLiteral("ZMIENNA_SwiadectwoNr_STR1_DATA_EDIT"), QStringLiteral("17"));

        vFunFillDocumentFromTemplate(nullptr, forms, certificate);

        int present = 0;
        for (int i = 0; i < kCertificateMapping.size(); ++i) {
            const QString& field = kCertificateMapping.at(i).second;
            if (!certificate.hasComponent(field)) continue;
            ++present;
            QCOMPARE(certificate.text(field), saved.at(i).value);
        }
        QCOMPARE(present, filled);
        QCOMPARE(certificate.text(QStringLiteral("ZMIENNA_SwiadectwoNr_STR1_DATA_EDIT")), QStringLiteral("17"));
        QVERIFY_PROMPTS(prompts);
    }

    // A template that cannot be read is reported and the document keeps what it holds.
    void unreadableTemplateLeavesTheDocument() {
        TestEnvironment env;
        damageTemplate();
        ScriptedPrompter prompts;
        FormRegistry forms;
        FormModel& certificate = *forms.forModel(QStringLiteral("TFKlasa4a"));
        certificate.setText(QStringLiteral("ZMIENNA_NrSzkoly_STR1_DATA_EDIT"), QStringLiteral("12"));
        prompts.expectMessage(QStringLiteral("Błąd podczas odczytu danych.\n\nSqlException\nSQLITE_NOTADB"),
                              QStringLiteral("Błąd"), PromptIcon::Error, PromptButtons::Ok);
        vFunFillDocumentFromTemplate(nullptr, forms, certificate);
        QCOMPARE(certificate.text(QStringLiteral("ZMIENNA_NrSzkoly_STR1_DATA_EDIT")), QStringLiteral("12"));
        QVERIFY_PROMPTS(prompts);
    }

    // The grade sheet's title pages take the six school fields by name, and give them back; the
    // note takes year, class, language and three subjects, never its fourth and fifth.
    void titlePagesAndTheNote() {
        TestEnvironment env;
        ScriptedPrompter prompts;
        FormRegistry forms;
        RecordList saved;
        // Short values: the note's fields take only a few characters.
        for (const auto& pair : kCertificateMapping) saved.append({kId, pair.first, QString::number(saved.size())});
        for (const QString& field : kTitlePageFields) saved.append({kId, field, QStringLiteral("t:") + field});
        storeTemplate(saved);

        for (const char* page : {"TFArkuszStr1", "TFArkuszStr1b"}) {
            FormModel* title = forms.forModel(QLatin1String(page));
            for (const QString& field : kTitlePageFields) QVERIFY2(title->hasComponent(field), qPrintable(field));
            vFunFillDocumentFromTemplate(nullptr, forms, *title);
            for (const QString& field : kTitlePageFields) QCOMPARE(title->text(field), QStringLiteral("t:") + field);

            for (const QString& field : kTitlePageFields) title->setText(field, QLatin1String(page) + field);
            forms.schoolTemplate().setText(kYear1, QStringLiteral("kept"));
            vFunCopyToTemplate(*title, forms.schoolTemplate());
            for (const QString& field : kTitlePageFields)
                QCOMPARE(forms.schoolTemplate().text(field), QLatin1String(page) + field);
            QCOMPARE(forms.schoolTemplate().text(kYear1), QStringLiteral("kept"));
        }

        QStringList noteFields{kYear1, kYear2, kClass, QStringLiteral("ZMIENNA_JObcyOpis_DATA_EDIT")};
        for (int k = 1; k <= 5; ++k) noteFields << QStringLiteral("ZMIENNA_Dodatkowy%1_DATA_EDIT").arg(k);
        FormModel* note = forms.forModel(QStringLiteral("TFWywiadowka"));
        for (const QString& field : noteFields) {
            QVERIFY2(note->hasComponent(field), qPrintable(field));
            note->setText(field, QStringLiteral("typed"));
        }
        vFunFillDocumentFromTemplate(nullptr, forms, *note);
        const auto savedValue = [&saved](const QString& field) {
            for (const FieldRecord& r : saved)
                if (r.compName == field) return r.value;
            return QStringLiteral("<not saved>");
        };
        QCOMPARE(note->text(kYear1), savedValue(kYear1));
        QCOMPARE(note->text(kYear2), savedValue(kYear2));
        QCOMPARE(note->text(kClass), savedValue(kClass));
        QCOMPARE(note->text(QStringLiteral("ZMIENNA_JObcyOpis_DATA_EDIT")),
                 savedValue(QStringLiteral("ZMIENNA_JObcy_DATA_EDIT")));
        for (int k = 1; k <= 3; ++k)
            QCOMPARE(note->text(QStringLiteral("ZMIENNA_Dodatkowy%1_DATA_EDIT").arg(k)),
                     savedValue(QStringLiteral("ZMIENNA_ObowiazkoweEdu%1_DATA_EDIT").arg(k)));
        QCOMPARE(note->text(QStringLiteral("ZMIENNA_Dodatkowy4_DATA_EDIT")), QStringLiteral("typed"));
        // A name longer than the note's field takes is cut as typing would be.
        const int limit = note->component(note->indexOf(QStringLiteral("ZMIENNA_Dodatkowy1_DATA_EDIT"))).maxLength;
        QVERIFY(limit > 0);
        forms.schoolTemplate().vFunClearData();
        storeTemplate({{kId, QStringLiteral("ZMIENNA_ObowiazkoweEdu1_DATA_EDIT"), QString(limit + 5, QLatin1Char('x'))}});
        vFunFillDocumentFromTemplate(nullptr, forms, *note);
        QCOMPARE(note->text(QStringLiteral("ZMIENNA_Dodatkowy1_DATA_EDIT")), QString(limit, QLatin1Char('x')));
        QCOMPARE(note->text(QStringLiteral("ZMIENNA_Dodatkowy5_DATA_EDIT")), QStringLiteral("typed"));
        QVERIFY_PROMPTS(prompts);
    }
};

Q_DECLARE_METATYPE(PromptAnswer)

QTEST_MAIN(TestSchoolTemplate)
#include "tst_school_template.moc"
