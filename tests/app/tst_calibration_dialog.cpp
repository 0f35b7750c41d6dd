#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <memory>

#include "app/calibration_dialog.h"
#include "app/program_windows.h"
#include "app_fixture.h"
#include "forms/form_registry.h"
#include "pupil_fixture.h"
#include "render/calibration.h"
#include "render/page_picture.h"
#include "render/print_dialog.h"
#include "storage/database.h"
#include "storage/error_stream.h"
#include "storage/paths.h"
#include "support/recording_device.h"
#include "support/scripted_prompter.h"
#include "support/test_environment.h"

namespace {

const QString kCertificate = QStringLiteral("MEN-I/3a/2 świad. klasa IV");
const QString kPupilName = QStringLiteral("ZMIENNA_ImieNazwisko_STR1_DATA_EDIT");

QString calibrationPath() {
    ErrorStream err;
    return strFunGetCalibFilePath(err, false);
}

CalibrationList calibrationRows(const QString& table) {
    ErrorStream err;
    CalibrationList rows;
    if (!bFunCalibLoadData(err, calibrationPath(), table, rows)) qWarning("%s", qPrintable(err.text()));
    return rows;
}

CalibrationEntry calibrationRow(const QString& table, const QString& name) {
    for (const CalibrationEntry& e : calibrationRows(table)) {
        if (e.name == name) return e;
    }
    qWarning("no row %s in %s", qPrintable(name), qPrintable(table));
    return {};
}

void runSql(const QString& statement) {
    CppSQLite3DB db;
    db.open(calibrationPath());
    db.execute(statement);
    db.close();
}

template <class Widget>
Widget* field(QWidget& dialog, const char* name) {
    auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(name));
    if (!widget) qWarning("no widget %s", name);
    return widget;
}

void click(QWidget& dialog, const char* button) {
    field<QAbstractButton>(dialog, button)->click();
}

void choose(QWidget& dialog, const char* list, const QString& text) {
    auto* box = field<QComboBox>(dialog, list);
    const int index = box->findText(text);
    if (index < 0) qWarning("%s offers no %s", list, qPrintable(text));
    box->setCurrentIndex(index);
}

QStringList items(const QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
    return out;
}

// Opens the dialog by its menu command and plays the user in it; "Zamknij" closes it after.
void whileDialogOpen(TFGlowna& main, bool advanced, std::function<void(TFKalibracja&)> act) {
    auto* dialog = main.programWindow<TFKalibracja>();
    QVERIFY(dialog);
    bool ran = false;
    QTimer::singleShot(0, dialog, [&] {
        ran = dialog->isVisible() && dialog->isModal();
        act(*dialog);
        if (dialog->isVisible()) click(*dialog, "CloseButton");
    });
    if (advanced) {
        main.Ustawieniaczcionki1Click();
    } else {
        main.Formatowaniewiadectwapodstawowe1Click();
    }
    QVERIFY(ran);
    QVERIFY(!dialog->isVisible());
}

// The red outlines of the page as the preview shows it.
QList<QRectF> redOutlines(const QPicture& page) {
    RecordingDevice device(96);
    {
        QPainter painter(&device);
        vFunDrawPagePicture(painter, page, QRectF(0, 0, kPageWidth, kPageHeight));
    }
    QList<QRectF> red;
    for (const DrawnShape& shape : device.drawing().rects) {
        if (shape.color == QColor(Qt::red)) red << shape.rect;
    }
    return red;
}

struct Program {
    TestEnvironment env;
    ScriptedPrompter prompts;
    std::unique_ptr<TFGlowna> main;

    explicit Program(int printWithoutDots = 0) {
        installProgramFiles();
        writeSetting(QStringLiteral("print_without_dots"), printWithoutDots);
        main = createProgramWindows();
        main->printNoDotsCheckBox()->setChecked(printWithoutDots == 1);  // as at start-up
    }
};

}  // namespace

class CalibrationDialogTest : public QObject {
    Q_OBJECT

private slots:
    void modeDecidesTheEntriesOffered_data() {
        QTest::addColumn<bool>("advanced");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("offered");
        QTest::newRow("basic") << false << "Formatowanie podstawowe"
                               << QStringList{"ZMIENNA_Klasa_STR1_DATA_EDIT"};
        QTest::newRow("advanced")
            << true << "Formatowanie zaawansowane"
            << QStringList{"STALY_SwiadectwoSzkolne_STR1_DATA_LABEL", "ZMIENNA_Klasa_STR1_DATA_EDIT",
                           "GRAFIKA: ORZELEK"};
    }
    void modeDecidesTheEntriesOffered() {
        QFETCH(bool, advanced);
        QFETCH(QString, caption);
        QFETCH(QStringList, offered);
        Program p;
        runSql("delete from `klasa_4`");
        for (const char* name : {"STALY_SwiadectwoSzkolne_STR1_DATA_LABEL",
                                    "ZMIENNA_Klasa_STR1_DATA_EDIT", "GRAFIKA: ORZELEK"}) {
            runSql(QStringLiteral("insert into `klasa_4` values('%1', 100, 200, 300, 220, "
                                  "'Arial', 12, 0, 0, 0, 0, 0)")
                       .arg(name));
        }
        bool highlightWhileOpen = false;
        whileDialogOpen(*p.main, advanced, [&](TFKalibracja& dialog) {
            QCOMPARE(dialog.windowTitle(), caption);
            highlightWhileOpen = p.main->state().highlight;
            const QStringList tables = items(field<QComboBox>(dialog, "TypSwiadectwaComboBox"));
            QVERIFY(tables.contains("klasa_4"));
            QStringList sorted = tables;
            sorted.sort();
            QCOMPARE(tables, sorted);
            choose(dialog, "TypSwiadectwaComboBox", "klasa_4");
            QCOMPARE(items(field<QComboBox>(dialog, "VariableComboBox")), offered);
            QCOMPARE(field<QComboBox>(dialog, "VariableComboBox")->currentIndex(), 0);
            QCOMPARE(field<QLineEdit>(dialog, "X1Edit")->text(), QStringLiteral("100"));
        });
        QVERIFY(highlightWhileOpen);
        QVERIFY(!p.main->state().highlight);
        QVERIFY_PROMPTS(p.prompts);
    }

    void tableSetsTheNoDotsSwitch_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("_bk table turns it on") << "klasa_4_bk" << 0 << 1;
        QTest::newRow("plain table turns it off") << "klasa_4" << 1 << 0;
        QTest::newRow("grade sheet leaves it on") << "arkusz_str1" << 1 << 1;
        QTest::newRow("grade sheet leaves it off") << "arkusz_str1" << 0 << 0;
    }
    void tableSetsTheNoDotsSwitch() {
        QFETCH(QString, table);
        QFETCH(int, before);
        QFETCH(int, after);
        Program p(before);
        QCOMPARE(p.main->printNoDotsCheckBox()->isChecked(), before == 1);
        whileDialogOpen(*p.main, true, [&](TFKalibracja& dialog) {
            choose(dialog, "TypSwiadectwaComboBox", table);
            QCOMPARE(p.main->printNoDotsCheckBox()->isChecked(), after == 1);
            QCOMPARE(readSetting("print_without_dots"), after);
            // The preview drew the chosen table, the first entry outlined.
            QCOMPARE(p.main->state().calibration.size(), calibrationRows(table).size());
            QVERIFY(!redOutlines(p.main->state().pages[0]).isEmpty() ||
                    !redOutlines(p.main->state().pages[1]).isEmpty());
        });
        QVERIFY_PROMPTS(p.prompts);
    }

    // The arrow keys in X1Edit move the entry, write it and redraw the outline at once.
    void arrowKeyMovesAndApplies_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::newRow("right") << int(Qt::Key_Right) << 1 << 0;
        QTest::newRow("left") << int(Qt::Key_Left) << -1 << 0;
        QTest::newRow("down") << int(Qt::Key_Down) << 0 << 1;
        QTest::newRow("up") << int(Qt::Key_Up) << 0 << -1;
    }
    void arrowKeyMovesAndApplies() {
        QFETCH(int, key);
        QFETCH(int, dx);
        QFETCH(int, dy);
        Program p;
        const CalibrationEntry before = calibrationRow("klasa_4a", kPupilName);
        whileDialogOpen(*p.main, false, [&](TFKalibracja& dialog) {
            choose(dialog, "TypSwiadectwaComboBox", "klasa_4a");
            choose(dialog, "VariableComboBox", kPupilName);
            const QList<QRectF> outlineBefore = redOutlines(p.main->state().pages[0]);
            QCOMPARE(outlineBefore.size(), 1);
            auto* x1 = field<QLineEdit>(dialog, "X1Edit");
            x1->setFocus();
            QTest::keyClick(x1, Qt::Key(key));

            const CalibrationEntry after = calibrationRow("klasa_4a", kPupilName);
            QCOMPARE(QList<int>({after.x1, after.x2, after.y1, after.y2}),
                     QList<int>({before.x1 + dx, before.x2 + dx, before.y1 + dy, before.y2 + dy}));
            QCOMPARE(x1->text(), QString::number(before.x1 + dx));
            QCOMPARE(field<QLineEdit>(dialog, "Y2Edit")->text(), QString::number(before.y2 + dy));
            QCOMPARE(field<QComboBox>(dialog, "VariableComboBox")->currentText(), kPupilName);
            QCOMPARE(dialog.focusWidget(), x1);
            const QList<QRectF> outlineAfter = redOutlines(p.main->state().pages[0]);
            QCOMPARE(outlineAfter.size(), 1);
            QCOMPARE(outlineAfter.first(), outlineBefore.first().translated(dx, dy));
        });
        QVERIFY_PROMPTS(p.prompts);
    }

    void applyWritesTheFields() {
        Program p;
        whileDialogOpen(*p.main, true, [&](TFKalibracja& dialog) {
            choose(dialog, "TypSwiadectwaComboBox", "klasa_4a");
            choose(dialog, "VariableComboBox", kPupilName);
            field<QComboBox>(dialog, "AdjustmentComboBox")->setCurrentIndex(-1);
            click(dialog, "UpFontSizeSpeedButton");
            field<QComboBox>(dialog, "FontsNameComboBox")->setCurrentText("Arial");
            field<QCheckBox>(dialog, "KursywaCheckBox")->setChecked(true);
            click(dialog, "SaveButton");
        });
        const CalibrationEntry stored = calibrationRow("klasa_4a", kPupilName);
        QCOMPARE(stored.font_align, -1);  // no alignment chosen: the renderer centres it
        QCOMPARE(stored.font_size, 15);
        QCOMPARE(stored.font_name, QStringLiteral("Arial"));
        QCOMPARE(stored.font_style_italic, 1);
        QCOMPARE(stored.font_style_bold, 0);
        QVERIFY_PROMPTS(p.prompts);
    }

    void numberFieldWithoutAnIntegerIsRefused_data() {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("byArrowKey");  // else "Zastosuj"
        QTest::newRow("letters in X1") << "X1Edit" << "X1" << "12a" << false;
        QTest::newRow("empty Y2") << "Y2Edit" << "Y2" << "" << false;
        QTest::newRow("fraction in X2") << "X2Edit" << "X2" << "1.5" << false;
        QTest::newRow("beyond 32 bits in Y1") << "Y1Edit" << "Y1" << "99999999999" << false;
        QTest::newRow("font size") << "FontSizeEdit" << "Rozmiar czcionki" << "x" << false;
        QTest::newRow("letters in X2, right arrow") << "X2Edit" << "X2" << "8o0" << true;
    }
    void numberFieldWithoutAnIntegerIsRefused() {
        QFETCH(QString, edit);
        QFETCH(QString, label);
        QFETCH(QString, text);
        QFETCH(bool, byArrowKey);
        Program p;
        const CalibrationList before = calibrationRows("klasa_4a");
        const QString message = QStringLiteral("Pole „%1” musi zawierać liczbę całkowitą, a zawiera "
                                               "„%2”.\nNic nie zostało zapisane.")
                                    .arg(label, text);
        p.prompts.expectMessage(message, "Błąd", PromptIcon::Error, PromptButtons::Ok);
        whileDialogOpen(*p.main, true, [&](TFKalibracja& dialog) {
            choose(dialog, "TypSwiadectwaComboBox", "klasa_4a");
            choose(dialog, "VariableComboBox", kPupilName);
            dialog.findChild<QLineEdit*>(edit)->setText(text);
            if (byArrowKey) {
                QTest::keyClick(field<QLineEdit>(dialog, "X1Edit"), Qt::Key_Right);
            } else {
                click(dialog, "SaveButton");
            }
            QCOMPARE(dialog.findChild<QLineEdit*>(edit)->text(), text);  // left for correcting
        });
        QVERIFY_PROMPTS(p.prompts);
        const CalibrationList after = calibrationRows("klasa_4a");
        QCOMPARE(after.size(), before.size());
        for (int i = 0; i < after.size(); ++i) {
            QCOMPARE(after.at(i).x1, before.at(i).x1);
            QCOMPARE(after.at(i).y1, before.at(i).y1);
            QCOMPARE(after.at(i).x2, before.at(i).x2);
            QCOMPARE(after.at(i).y2, before.at(i).y2);
            QCOMPARE(after.at(i).font_size, before.at(i).font_size);
        }
    }

    void restoreAsksThenReloads_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("No keeps the change") << false;
        QTest::newRow("Yes brings the shipped values back") << true;
    }
    void restoreAsksThenReloads() {
        QFETCH(bool, yes);
        Program p;
        const CalibrationEntry shipped = calibrationRow("klasa_4a", kPupilName);
        runSql(QStringLiteral("update `klasa_4a` set `x1`='7' where `name`='%1'").arg(kPupilName));
        p.prompts.expectMessage("Czy na pewno chcesz przywrócić oryginalne ustawienia ?",
                                "Przywracanie", PromptIcon::None, PromptButtons::YesNo,
                                yes ? PromptAnswer::Yes : PromptAnswer::No);
        whileDialogOpen(*p.main, true, [&](TFKalibracja& dialog) {
            choose(dialog, "TypSwiadectwaComboBox", "klasa_4a");
            choose(dialog, "VariableComboBox", kPupilName);
            QVERIFY(field<QComboBox>(dialog, "VariableComboBox")->currentIndex() > 0);
            click(dialog, "PrzywrocUstawieniaButton");
            auto* entries = field<QComboBox>(dialog, "VariableComboBox");
            QCOMPARE(entries->currentIndex(), 0);
            QCOMPARE(field<QComboBox>(dialog, "TypSwiadectwaComboBox")->currentText(),
                     QStringLiteral("klasa_4a"));
            QCOMPARE(field<QLineEdit>(dialog, "X1Edit")->text(),
                     QString::number(p.main->state().calibration.first().x1));
        });
        QVERIFY_PROMPTS(p.prompts);
        QCOMPARE(calibrationRow("klasa_4a", kPupilName).x1, yes ? shipped.x1 : 7);
    }

    void testSheetButtonOpensThePrintDialog() {
        Program p;
        auto* printDialog = p.main->programWindow<TFDrukuj>();
        QVERIFY(printDialog);
        bool shown = false;
        whileDialogOpen(*p.main, true, [&](TFKalibracja& dialog) {
            QTimer::singleShot(0, printDialog, [&] {
                shown = printDialog->isVisible() && printDialog->isModal();
                printDialog->reject();
            });
            click(dialog, "DrukujArkuszTestowyButton");
            QVERIFY(dialog.isVisible());  // back in the calibration dialog
        });
        QVERIFY(shown);
        QVERIFY_PROMPTS(p.prompts);
    }

    // The sample data of the preview must not stay in the forms, where an editing window's OK
    // would save it over the pupil.
    void formsHoldThePupilAgainAfterClosing_data() {
        QTest::addColumn<bool>("pupilLoaded");
        QTest::newRow("pupil loaded") << true;
        QTest::newRow("no pupil loaded") << false;
    }
    void formsHoldThePupilAgainAfterClosing() {
        QFETCH(bool, pupilLoaded);
        Program p;
        storePupil("PESEL1", pupilRecords("Lis", "Ala", "1"));
        QVERIFY(p.main->bFunReloadStudentList());
        if (pupilLoaded) clickNode(*p.main, documentNode(*p.main->treeView(), 0, kCertificate));
        FormModel* certificate = p.main->forms().forModel("TFKlasa4a");
        QVERIFY(certificate);
        const QString before = certificate->text(kPupilName);
        QCOMPARE(before, pupilLoaded ? QStringLiteral("Ala Lis") : QString());
        QString duringDialog;
        whileDialogOpen(*p.main, false, [&](TFKalibracja&) {
            duringDialog = certificate->text(kPupilName);
        });
        QVERIFY(!duringDialog.isEmpty());
        QVERIFY(duringDialog != before);
        QCOMPARE(certificate->text(kPupilName), before);
        QCOMPARE(p.main->forms().pupilTable(), pupilLoaded ? QStringLiteral("PESEL1") : QString());
        QCOMPARE(pupilNames(*p.main->treeView()), QStringList{"Lis Ala"});
        QVERIFY_PROMPTS(p.prompts);
    }
};

QTEST_MAIN(CalibrationDialogTest)
#include "tst_calibration_dialog.moc"
