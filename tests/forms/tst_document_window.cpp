#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QtTest>

#include <memory>

#include "forms/certificate_family.h"
#include "forms/certificate_window.h"
#include "forms/document_page_view.h"
#include "forms/document_window.h"
#include "forms/form_registry.h"
#include "forms/grade_sheet_window.h"
#include "forms/meeting_note_window.h"
#include "forms/memo_edit.h"
#include "forms/pupil_saver.h"
#include "support/scripted_prompter.h"

namespace {

const QString kYear1 = QStringLiteral("ZMIENNA_RokSzkolny1_STR1_DATA_EDIT");
const QString kPromotionEnding = QStringLiteral("ZMIENNA_PromocjiE_STR1_DATA_EDIT");
const QString kReligion = QStringLiteral("ZMIENNA_ReligiaOcena_STR2_DATA_COMBOBOX");
const QString kNote1 = QStringLiteral("ZMIENNA_Uposledzenie1_STR2_DATA_EDIT");
const QString kNote2 = QStringLiteral("ZMIENNA_Uposledzenie2_STR2_DATA_EDIT");

bool isData(const Component& c) {
    return c.kind == ComponentKind::Edit || c.kind == ComponentKind::ComboBox;
}

int sideOf(const QString& name) {
    return name.contains(QLatin1String("_STR2_")) ? 2 : 1;
}

// Every data component on its side, one under the other, each rectangle of its own width so a
// widget put at another component's place shows.
DocumentLayout columnLayout(const FormModel& form) {
    DocumentLayout layout;
    int row[2] = {0, 0};
    for (int i = 0; i < form.componentCount(); ++i) {
        const Component& c = form.component(i);
        if (!isData(c)) continue;
        const int side = sideOf(c.name);
        const int k = row[side - 1]++;
        FieldPlacement placement;
        placement.name = c.name;
        placement.side = side;
        placement.rect = QRectF(100, 40 + 38 * k, 300 + 5 * k, 27);
        placement.font = QFont(QStringLiteral("Times New Roman"));
        placement.font.setPixelSize(19);
        layout.fields.append(placement);
    }
    return layout;
}

// The main window's save as the certificate window sees it, with the note lines as they were
// at that moment.
class FakeSaver : public PupilSaver {
public:
    struct Call {
        QString replacedTable, failureLead, note1, note2;
    };
    explicit FakeSaver(const FormModel& form) : m_form(form) {}
    bool savePupil(const QString& replacedTable, const QString& failureLead) override {
        calls.append({replacedTable, failureLead, m_form.text(kNote1), m_form.text(kNote2)});
        return succeeds;
    }
    QList<Call> calls;
    bool succeeds = true;

private:
    const FormModel& m_form;
};

// QTest::keyClicks takes Latin-1 only; other letters go as key events carrying their text.
void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
}

struct WindowFixture {
    explicit WindowFixture(const QString& windowName = QStringLiteral("TFKlasa4a"))
        : form(*forms.forModel(windowName)),
          saver(form),
          window(createCertificateWindow(form, columnLayout(form), saver,
                                         [this] { return currentTable; })) {}

    template <typename Widget>
    Widget* field(const QString& name) const {
        Widget* widget = window->findChild<Widget*>(name);
        if (!widget) qFatal("no widget %s", qPrintable(name));
        return widget;
    }
    QLineEdit* edit(const QString& name) const { return field<QLineEdit>(name); }
    QComboBox* combo(const QString& name) const { return field<QComboBox>(name); }
    void click(const char* button) const {
        QTest::mouseClick(field<QPushButton>(QString::fromLatin1(button)), Qt::LeftButton);
    }

    FormRegistry forms;
    FormModel& form;
    FakeSaver saver;
    QString currentTable = QStringLiteral("PESEL04250312345");
    std::unique_ptr<DocumentWindow> window;
};

const QString kYearOfColumn1 = QStringLiteral("ZMIENNA_Rok1_DATA_EDIT");
const QString kAchievements = QStringLiteral("ZMIENNA_Szczegolne1_DATA_MEMO");

// A one-page document with an edit and a memo of three writing lines 20 units apart, placed
// in the lower half of the page, with the rest of the page unused.
struct OnePageFixture {
    explicit OnePageFixture(const QString& windowName)
        : form(windowName, QStringLiteral("ARKUSZ"), FormModel::MarkerSet::Plain), saver(form) {
        form.addComponent(Component::named(kYearOfColumn1));
        form.addComponent(Component::named(kAchievements));
        FieldPlacement year;
        year.name = kYearOfColumn1;
        year.rect = QRectF(300, 700, 200, 22);
        year.font.setPixelSize(16);
        FieldPlacement memo = year;
        memo.name = kAchievements;
        memo.rect = QRectF(100, 760, 600, 62);
        memo.linePitch = 20;
        layout.sides = 1;
        layout.fields = {year, memo};
        layout.usedArea = QRectF(80, 680, 660, 160);
    }

    FormModel form;
    FakeSaver saver;
    DocumentLayout layout;
    QString currentTable = QStringLiteral("PESEL1");
    std::function<QString()> table() {
        return [this] { return currentTable; };
    }
};

// Every edit, combo box and memo of a one-page form in a column, each memo as tall as its
// limit of 20-unit lines.
DocumentLayout onePageColumnLayout(const FormModel& form) {
    DocumentLayout layout;
    layout.sides = 1;
    qreal top = 20;
    for (int i = 0; i < form.componentCount(); ++i) {
        const Component& c = form.component(i);
        if (!isData(c) && c.kind != ComponentKind::Memo) continue;
        FieldPlacement placement;
        placement.name = c.name;
        const int lines = c.kind == ComponentKind::Memo ? std::max(1, c.maxLines) : 1;
        placement.rect = QRectF(60, top, 600, 20 * lines + 2);
        placement.font.setPixelSize(16);
        if (c.kind == ComponentKind::Memo) placement.linePitch = 20;
        layout.fields.append(placement);
        top += 20 * lines + 8;
    }
    layout.usedArea = QRectF(0, 0, kDocumentPageWidth, top);
    return layout;
}

QString numberedLines(int count) {
    QStringList lines;
    for (int k = 1; k <= count; ++k) lines << QStringLiteral("linia %1").arg(k);
    return lines.join(QLatin1Char('\n'));
}

const QStringList kPage6Choices = {QStringLiteral("czwarta"), QStringLiteral("czwarta z wyr."),
                                   QStringLiteral("piąta"), QStringLiteral("piąta z wyr.")};

}  // namespace

class TestDocumentWindow : public QObject {
    Q_OBJECT
private slots:
    void everyDataComponentHasItsWidgetInPlace();
    void typingAndModelChangesMeetInBothDirections();
    void inputRefusesWhatCannotBeStored();
    void okSavesWithNoteLinesAndClosesOnlyOnSuccess_data();
    void okSavesWithNoteLinesAndClosesOnlyOnSuccess();
    void closingWithoutOkAsksOnlyAboutChanges_data();
    void closingWithoutOkAsksOnlyAboutChanges();
    void windowIsAsTallAsTheScreenAllowsAtEveryShowing();
    void wheelScrollsBothPagesAndChangesNoGrade();
    void yearPageOpensAtTopWithItsFirstChoices_data();
    void yearPageOpensAtTopWithItsFirstChoices();
    void titlePageLoadsTheSheetTemplateAndSavesOnOk();
    void meetingNoteStretchesItsPartOfThePage();
    void memoKeepsItsLinesInStepWithinItsLimit_data();
    void memoKeepsItsLinesInStepWithinItsLimit();
    void meetingNoteLimitsCannotBeTypedPast_data();
    void meetingNoteLimitsCannotBeTypedPast();
};

void TestDocumentWindow::everyDataComponentHasItsWidgetInPlace() {
    FormRegistry forms;
    for (const CertificateMember& member : certificateMembers()) {
        FormModel& form = *forms.forModel(member.windowName);
        FakeSaver saver(form);
        const DocumentLayout layout = columnLayout(form);
        std::unique_ptr<DocumentWindow> window(
            createCertificateWindow(form, layout, saver, [] { return QString(); }));
        QVERIFY(window);
        QCOMPARE(window->objectName(), member.windowName.mid(1));
        QCOMPARE(window->windowTitle(), member.windowTitle);
        auto* tabs = window->findChild<QTabWidget*>();
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(0), QStringLiteral("Strona 1"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("Strona2"));
        QCOMPARE(tabs->widget(0)->objectName(), QStringLiteral("ScrollBox1"));
        QCOMPARE(tabs->widget(1)->objectName(), QStringLiteral("ScrollBox2"));
        for (const char* button : {"SzablonDanychButton", "OKButton", "AnulujButton"})
            QVERIFY2(window->findChild<QPushButton*>(QString::fromLatin1(button)), button);

        int widgets = 0;
        for (const FieldPlacement& placement : layout.fields) {
            const Component& c = form.component(form.indexOf(placement.name));
            const QString where = member.windowName + QLatin1Char(' ') + c.name;
            QWidget* widget = window->findChild<QWidget*>(c.name);
            QVERIFY2(widget, qPrintable(where));
            ++widgets;
            QCOMPARE(widget->parentWidget(),
                     window->scrollBox(placement.side)->widget());
            QCOMPARE(widget->geometry(), window->pageView(placement.side)->toView(placement.rect));
            QCOMPARE(widget->isEnabled(), c.enabled);
            if (c.kind == ComponentKind::ComboBox) {
                auto* box = qobject_cast<QComboBox*>(widget);
                QVERIFY2(box && box->isEditable(), qPrintable(where));
                QStringList items;
                for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
                QCOMPARE(items, c.items);
                QCOMPARE(box->lineEdit()->isReadOnly(), c.readOnly);
            } else {
                auto* edit = qobject_cast<QLineEdit*>(widget);
                QVERIFY2(edit, qPrintable(where));
                QCOMPARE(edit->isReadOnly(), c.readOnly);
            }
        }
        QVERIFY(widgets > 40);
        // Fixed texts are drawn on the page, never given a widget.
        QVERIFY(!window->findChild<QWidget*>(QStringLiteral("STALY_MEN_STR1_DATA_LABEL")));
    }
}

void TestDocumentWindow::typingAndModelChangesMeetInBothDirections() {
    WindowFixture f;
    f.window->show();

    QTest::keyClicks(f.edit(kYear1), QStringLiteral("2024"));
    QCOMPARE(f.form.text(kYear1), QStringLiteral("2024"));
    typeText(f.edit(kPromotionEnding), QStringLiteral("ę"));
    QCOMPARE(f.form.text(kPromotionEnding), QStringLiteral("ę"));

    // A grade typed freely is kept as typed; one picked from the list as the item reads.
    QLineEdit* religion = f.combo(kReligion)->lineEdit();
    religion->selectAll();
    QTest::keyClick(religion, Qt::Key_Delete);
    QTest::keyClicks(religion, QStringLiteral("bdb"));
    QCOMPARE(f.form.text(kReligion), QStringLiteral("bdb"));
    f.combo(kReligion)->setCurrentIndex(f.combo(kReligion)->findText(QStringLiteral("nie uczęszczał")));
    QCOMPARE(f.form.text(kReligion), QStringLiteral("nie uczęszczał"));

    // Loading a pupil's records shows them; clearing empties the widgets.
    const QString id = f.form.documentId();
    f.form.vFunSetDataList({FieldRecord::make(id, kYear1, QStringLiteral("2010")),
                            FieldRecord::make(id, kReligion, QStringLiteral("celujący"))});
    QCOMPARE(f.edit(kYear1)->text(), QStringLiteral("2010"));
    QCOMPARE(f.combo(kReligion)->currentText(), QStringLiteral("celujący"));
    vFunFillSampleData(f.form);
    QCOMPARE(f.edit(QStringLiteral("ZMIENNA_Klasa_STR1_DATA_EDIT"))->text(), QStringLiteral("czwartej"));
    f.form.vFunClearData();
    QCOMPARE(f.edit(kYear1)->text(), QString());
    QCOMPARE(f.combo(kReligion)->currentText(), QString());
}

void TestDocumentWindow::inputRefusesWhatCannotBeStored() {
    WindowFixture f;
    f.window->show();
    typeText(f.edit(kYear1), QStringLiteral("a中ł€b"));
    QCOMPARE(f.form.text(kYear1), QStringLiteral("ał€b"));
    typeText(f.combo(kReligion)->lineEdit(), QStringLiteral("x→y"));
    QCOMPARE(f.form.text(kReligion), QStringLiteral("xy"));
    // The user is told which character was refused, here the last one.
    auto* note = f.window->findChild<QLabel*>(QStringLiteral("InputHint"));
    QVERIFY(note && note->isVisible());
    QCOMPARE(note->text(), QStringLiteral("Znak „→” nie może być zapisany w pliku świadectw."));
}

void TestDocumentWindow::okSavesWithNoteLinesAndClosesOnlyOnSuccess_data() {
    QTest::addColumn<QString>("note1");
    QTest::addColumn<bool>("saves");
    QTest::addColumn<QString>("storedNote1");
    QTest::newRow("empty notes become one blank, saved") << "" << true << " ";
    QTest::newRow("a note's text is kept") << "opinia" << true << "opinia";
    QTest::newRow("a failed save keeps the window open") << "" << false << " ";
}

void TestDocumentWindow::okSavesWithNoteLinesAndClosesOnlyOnSuccess() {
    QFETCH(QString, note1);
    QFETCH(bool, saves);
    QFETCH(QString, storedNote1);

    WindowFixture f;
    f.saver.succeeds = saves;
    f.form.setText(kNote1, note1);
    f.window->show();
    f.currentTable = QStringLiteral("PESEL99");  // the table at the moment of OK counts
    f.click("OKButton");

    QCOMPARE(f.saver.calls.size(), 1);
    QCOMPARE(f.saver.calls.at(0).replacedTable, QStringLiteral("PESEL99"));
    QCOMPARE(f.saver.calls.at(0).failureLead, QStringLiteral("Błąd zapisu danych.\n\n"));
    QCOMPARE(f.saver.calls.at(0).note1, storedNote1);
    QCOMPARE(f.saver.calls.at(0).note2, QStringLiteral(" "));
    QCOMPARE(f.window->isVisible(), !saves);
    if (saves) QCOMPARE(f.window->result(), int(QDialog::Accepted));
}

void TestDocumentWindow::closingWithoutOkAsksOnlyAboutChanges_data() {
    QTest::addColumn<QString>("how");      // "Anuluj", "Esc" or "title bar"
    QTest::addColumn<QString>("typed");    // typed into the year field; "<back>" types and undoes
    QTest::addColumn<int>("answer");       // the answer to the question; -1: no question
    QTest::addColumn<bool>("saveSucceeds");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("stillOpen");

    QTest::newRow("nothing typed: closes at once") << "Anuluj" << "" << -1 << true << false << false;
    QTest::newRow("typed and typed back: no change") << "Esc" << "<back>" << -1 << true << false << false;
    QTest::newRow("Tak saves as OK does") << "Anuluj" << "2024" << int(PromptAnswer::Yes) << true << true << false;
    QTest::newRow("Tak, save fails: stays open") << "Esc" << "2024" << int(PromptAnswer::Yes) << false << true << true;
    QTest::newRow("Nie drops the changes") << "Esc" << "2024" << int(PromptAnswer::No) << true << false << false;
    QTest::newRow("Anuluj keeps editing") << "title bar" << "2024" << int(PromptAnswer::Cancel) << true << false << true;
}

void TestDocumentWindow::closingWithoutOkAsksOnlyAboutChanges() {
    QFETCH(QString, how);
    QFETCH(QString, typed);
    QFETCH(int, answer);
    QFETCH(bool, saveSucceeds);
    QFETCH(bool, saved);
    QFETCH(bool, stillOpen);

    ScriptedPrompter prompts;
    WindowFixture f;
    f.saver.succeeds = saveSucceeds;
    f.form.setText(kYear1, QStringLiteral("2023"));  // the value the window opens with
    f.window->show();
    QLineEdit* year = f.edit(kYear1);
    if (typed == QLatin1String("<back>")) {
        QTest::keyClicks(year, QStringLiteral("4"));
        QTest::keyClick(year, Qt::Key_Backspace);
    } else if (!typed.isEmpty()) {
        year->selectAll();
        QTest::keyClicks(year, typed);
    }
    if (answer >= 0) {
        prompts.expectMessage(QStringLiteral("Czy zapisać zmiany wprowadzone w tym oknie?"),
                              f.window->windowTitle(), PromptIcon::Question,
                              PromptButtons::YesNoCancel, PromptAnswer(answer));
    }

    if (how == QLatin1String("Anuluj")) {
        f.click("AnulujButton");
    } else if (how == QLatin1String("Esc")) {
        QTest::keyClick(year, Qt::Key_Escape);
    } else {
        f.window->close();
    }

    QVERIFY_PROMPTS(prompts);
    QCOMPARE(f.saver.calls.size(), saved ? 1 : 0);
    QCOMPARE(f.window->isVisible(), stillOpen);
    if (!stillOpen)
        QCOMPARE(f.window->result(), int(saved ? QDialog::Accepted : QDialog::Rejected));
    // The window leaves the model as typed; the command that opened it reloads the stored pupil.
    QCOMPARE(f.form.text(kYear1), typed.isEmpty() || typed == QLatin1String("<back>")
                                      ? QStringLiteral("2023") : typed);
    if (!saved) QCOMPARE(f.form.text(kNote1), QString());  // the note-line rule belongs to saving
}

void TestDocumentWindow::windowIsAsTallAsTheScreenAllowsAtEveryShowing() {
    WindowFixture f;
    const int expected = f.window->screen()->availableGeometry().height() - 50;
    f.window->show();
    QCOMPARE(f.window->height(), expected);
    QCOMPARE(f.window->width(), DocumentWindow::kWidth);
    f.window->hide();
    f.window->setFixedSize(DocumentWindow::kWidth, 300);
    f.window->show();
    QCOMPARE(f.window->height(), expected);
}

void TestDocumentWindow::wheelScrollsBothPagesAndChangesNoGrade() {
    WindowFixture f;
    vFunFillSampleData(f.form);
    f.window->show();
    QScrollBar* bars[] = {f.window->scrollBox(1)->verticalScrollBar(),
                          f.window->scrollBox(2)->verticalScrollBar()};
    for (QScrollBar* bar : bars) {
        QVERIFY(bar->maximum() >= 300);
        bar->setValue(300);
    }

    // Over a grade on the hidden side as well as over the page of the shown one.
    QComboBox* grade = f.combo(kReligion);
    const QList<QWidget*> targets = {grade, f.window->scrollBox(1)->widget()};
    int expected = 300;
    for (QWidget* target : targets) {
        QWheelEvent wheel(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &wheel);
        expected -= 120;
        QCOMPARE(bars[0]->value(), expected);
        QCOMPARE(bars[1]->value(), expected);
    }
    QCOMPARE(f.form.text(kReligion), QStringLiteral("dobry"));
}

void TestDocumentWindow::yearPageOpensAtTopWithItsFirstChoices_data() {
    QTest::addColumn<int>("columns");
    QTest::newRow("two columns") << 2;
    QTest::newRow("one column") << 1;
}

// Whatever was chosen and wherever the page was scrolled, each showing starts at the top with
// the first certificate and the first column; the button loads the chosen pair.
void TestDocumentWindow::yearPageOpensAtTopWithItsFirstChoices() {
    QFETCH(int, columns);
    OnePageFixture f(QStringLiteral("TFArkuszStr6"));
    QList<QPair<int, int>> loads;
    const GradeSheetWindowOptions options{QStringLiteral("Arkusz - wkładka str 6"), false, kPage6Choices, columns};
    std::unique_ptr<DocumentWindow> window(createGradeSheetWindow(
        f.form, options, f.layout, f.saver, f.table(),
        [&loads](int certificate, int column) { loads.append({certificate, column}); }));
    QCOMPARE(window->objectName(), QStringLiteral("FArkuszStr6"));
    QCOMPARE(window->windowTitle(), options.title);
    QVERIFY(!window->findChild<QTabWidget*>());
    QVERIFY(!window->findChild<QPushButton*>(QStringLiteral("SzablonDanychButton")));
    auto* certificate = window->findChild<QComboBox*>(QStringLiteral("SwiadectwoComboBox"));
    auto* column = window->findChild<QComboBox*>(QStringLiteral("KolumnaComboBox"));
    auto* load = window->findChild<QPushButton*>(QStringLiteral("WczytajDaneZSwiadectwaButton"));
    QVERIFY(certificate && load);
    QCOMPARE(column != nullptr, columns == 2);
    QCOMPARE(load->text(), columns == 2
                               ? QStringLiteral("Wczytaj dane z wybranego świadectwa do wybranej kolumny")
                               : QStringLiteral("Wczytaj dane z wybranego świadectwa"));
    QCOMPARE(window->pageView(1)->width(), 841);

    QScrollBar* bar = window->scrollBox(1)->verticalScrollBar();
    const QRect screen = window->screen()->availableGeometry();
    for (int showing = 0; showing < 2; ++showing) {
        window->show();
        QCOMPARE(window->width(), 862);
        QCOMPARE(window->height(), screen.height() - 100);
        QCOMPARE(window->frameGeometry().top(), screen.top() + 20);
        QCOMPARE(bar->value(), 0);
        QCOMPARE(certificate->currentText(), QStringLiteral("czwarta"));
        if (column) QCOMPARE(column->currentText(), QStringLiteral("1"));

        certificate->setCurrentIndex(showing + 1);
        if (column) column->setCurrentIndex(1);
        QTest::mouseClick(load, Qt::LeftButton);
        QCOMPARE(loads.last(), qMakePair(showing + 1, columns == 2 ? 1 : 0));
        bar->setValue(400);
        QCOMPARE(bar->value(), 400);
        window->hide();
    }
}

void TestDocumentWindow::titlePageLoadsTheSheetTemplateAndSavesOnOk() {
    OnePageFixture f(QStringLiteral("TFArkuszStr1b"));
    const GradeSheetWindowOptions options{QString::fromUtf8("MEN-I/37b/2 Arkusz ocen - strona tytułowa"), true, {}, 0};
    std::unique_ptr<DocumentWindow> window(
        createGradeSheetWindow(f.form, options, f.layout, f.saver, f.table(), {}));
    QVERIFY(!window->findChild<QComboBox*>(QStringLiteral("SwiadectwoComboBox")));
    QCOMPARE(window->pageView(1)->width(), 759);
    auto* templateButton = window->findChild<QPushButton*>(QStringLiteral("WczytajSzablonButton"));
    QVERIFY(templateButton);
    QCOMPARE(templateButton->text(), QStringLiteral("Wczytaj szablon arkusza"));
    window->setTemplateAction([](FormModel& form) { form.setText(kYearOfColumn1, QStringLiteral("2025")); });

    window->show();
    QCOMPARE(window->width(), 780);
    QTest::mouseClick(templateButton, Qt::LeftButton);
    QCOMPARE(window->findChild<QLineEdit*>(kYearOfColumn1)->text(), QStringLiteral("2025"));
    f.currentTable = QStringLiteral("PESEL7");
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("OKButton")), Qt::LeftButton);
    QCOMPARE(f.saver.calls.size(), 1);
    QCOMPARE(f.saver.calls.first().replacedTable, QStringLiteral("PESEL7"));
    QCOMPARE(f.saver.calls.first().failureLead, QStringLiteral("Błąd zapisu danych.\n\n"));
    QVERIFY(!window->isVisible());
}

// The note's window is small and fixed: the part of the page the note uses fills it above the
// buttons, and the fields lie where that part puts them.
void TestDocumentWindow::meetingNoteStretchesItsPartOfThePage() {
    OnePageFixture f(QStringLiteral("TFWywiadowka"));
    std::unique_ptr<DocumentWindow> window(
        createMeetingNoteWindow(f.form, QStringLiteral("Wywiadówka"), f.layout, f.saver, f.table()));
    QCOMPARE(window->objectName(), QStringLiteral("FWywiadowka"));
    window->show();
    QCOMPARE(window->size(), QSize(440, 540));
    QVERIFY(!window->scrollBox(1));
    for (const char* button : {"SzablonDanychButton", "OKButton", "AnulujButton"})
        QVERIFY2(window->findChild<QPushButton*>(QString::fromLatin1(button)), button);
    QCOMPARE(window->findChild<QPushButton*>(QStringLiteral("SzablonDanychButton"))->text(),
             QStringLiteral("Wczytaj szablon danych szkoły"));

    DocumentPageView* page = window->pageView(1);
    const QWidget* panel = window->findChild<QWidget*>(QStringLiteral("BottomPanel"));
    QCOMPARE(page->width(), 440);
    QCOMPARE(page->height() + panel->height(), 540);
    // 660 x 160 units over 440 x (540 - panel): the year field starts a third of the width in.
    QWidget* year = window->findChild<QLineEdit*>(kYearOfColumn1);
    QCOMPARE(year->geometry().left(), qRound((300 - 80) * 440 / 660.0));
    QCOMPARE(year->geometry().top(), qRound((700 - 680) * page->height() / 160.0));
}

void TestDocumentWindow::memoKeepsItsLinesInStepWithinItsLimit_data() {
    QTest::addColumn<QString>("windowName");
    QTest::addColumn<QString>("memo");
    QTest::addColumn<int>("limit");
    QTest::newRow("special achievements") << "TFArkuszStr6b" << "ZMIENNA_Szczegolne1_DATA_MEMO" << 8;
    QTest::newRow("examinations, column 2") << "TFArkuszStr7" << "ZMIENNA_InfoOEgzaminach2_DATA_MEMO" << 7;
    QTest::newRow("resolutions") << "TFArkuszStr8" << "ZMIENNA_DataUchwaly1_DATA_MEMO" << 5;
    QTest::newRow("test result, stored misspelt") << "TFArkuszStr8b" << "ZMEINNA_WynikSprawdzianu_DATA_MEMO" << 3;
}

// Typed lines reach the model one by one; Enter does nothing once the memo holds its limit;
// a longer paste or a longer text from the program is cut to the limit, and the widget shows
// what the model kept.
void TestDocumentWindow::memoKeepsItsLinesInStepWithinItsLimit() {
    QFETCH(QString, windowName);
    QFETCH(QString, memo);
    QFETCH(int, limit);
    FormRegistry forms;
    FormModel& form = *forms.forModel(windowName);
    FakeSaver saver(form);
    std::unique_ptr<DocumentWindow> window(createGradeSheetWindow(
        form, {windowName, false, kPage6Choices, 2}, onePageColumnLayout(form), saver,
        [] { return QStringLiteral("PESEL1"); }, {}));
    window->show();
    auto* edit = window->findChild<MemoEdit*>(memo);
    QVERIFY(edit);
    QCOMPARE(edit->lineWrapMode(), QTextEdit::NoWrap);

    QTest::keyClicks(edit, QStringLiteral("pierwsza"));
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClicks(edit, QStringLiteral("trzecia"));
    QCOMPARE(form.lines(memo), (QStringList{"pierwsza", "", "trzecia"}));

    form.setText(memo, numberedLines(limit + 4));  // the program
    QCOMPARE(form.lineCount(memo), limit);
    QCOMPARE(edit->toPlainText(), numberedLines(limit));
    edit->moveCursor(QTextCursor::End);
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(edit->lineCount(), limit);
    QCOMPARE(form.text(memo), numberedLines(limit));

    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QCOMPARE(form.lineCount(memo), 0);
    QApplication::clipboard()->setText(numberedLines(12));
    edit->paste();
    QCOMPARE(form.text(memo), numberedLines(limit));
    QCOMPARE(edit->toPlainText(), numberedLines(limit));

    // A character the file cannot hold is refused and named, in typing and in a paste.
    edit->clear();
    typeText(edit, QStringLiteral("a中b"));
    QApplication::clipboard()->setText(QStringLiteral("x→y"));
    edit->paste();
    QCOMPARE(form.text(memo), QStringLiteral("ab"));
    auto* note = window->findChild<QLabel*>(QStringLiteral("InputHint"));
    QVERIFY(note && note->isVisible());
    QCOMPARE(note->text(), QStringLiteral("Znak „→” nie może być zapisany w pliku świadectw."));
}

void TestDocumentWindow::meetingNoteLimitsCannotBeTypedPast_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("limit");
    QTest::newRow("class") << "ZMIENNA_Klasa_DATA_EDIT" << 12;
    QTest::newRow("school year") << "ZMIENNA_RokSzkolny2_DATA_EDIT" << 4;
    QTest::newRow("language") << "ZMIENNA_JObcyOpis_DATA_EDIT" << 32;
    QTest::newRow("marks") << "ZMIENNA_MatematykaOcn_DATA_EDIT" << 42;
    QTest::newRow("further subject") << "ZMIENNA_Dodatkowy5_DATA_EDIT" << 38;
    QTest::newRow("semester") << "ZMIENNA_Semestr_DATA_COMBOBOX" << 20;
}

void TestDocumentWindow::meetingNoteLimitsCannotBeTypedPast() {
    QFETCH(QString, field);
    QFETCH(int, limit);
    FormRegistry forms;
    FormModel& form = *forms.forModel(QStringLiteral("TFWywiadowka"));
    FakeSaver saver(form);
    std::unique_ptr<DocumentWindow> window(createMeetingNoteWindow(
        form, QStringLiteral("Wywiadówka"), onePageColumnLayout(form), saver, [] { return QString(); }));
    window->show();
    QWidget* widget = window->findChild<QWidget*>(field);
    QVERIFY(widget);
    if (auto* box = qobject_cast<QComboBox*>(widget)) widget = box->lineEdit();
    QTest::keyClicks(widget, QString(limit + 5, QLatin1Char('7')));
    QCOMPARE(form.text(field), QString(limit, QLatin1Char('7')));
}

QTEST_MAIN(TestDocumentWindow)
#include "tst_document_window.moc"
