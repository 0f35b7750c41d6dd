// The shipped calibration against the document forms: every field has its place in each of its
// tables (a memo one per line, in line order, up to its limit), blank paper gets the whole face
// and pre-printed forms the data only, nothing leaves the printable page or runs into its
// neighbour, and the texts fit at their fonts. First the twelve certificates, then the grade
// sheet's pages and the parents'-meeting note.

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QRect>
#include <QtTest>

#include "forms/certificate_family.h"
#include "forms/document_types.h"
#include "forms/field_model.h"
#include "forms/form_registry.h"
#include "forms/sample_data.h"
#include "render/calibration.h"
#include "render/page_picture.h"
#include "support/test_environment.h"

namespace {

// Printers cannot reach the outer few millimetres of the sheet.
constexpr int kMargin = 60;

const QString kDots = QStringLiteral("_LINIA_Z_KROPEK");
const QString kFrame = QStringLiteral("GRAFIKA: RAMKA");

bool isMemoLine(const QString& name) {
    return name.contains(QLatin1String("_DATA_MEMO"));
}

bool isDataName(const QString& name) {
    return name.contains(QLatin1String("_DATA_EDIT")) ||
           name.contains(QLatin1String("_DATA_COMBOBOX")) || isMemoLine(name);
}

bool isFrame(const QString& name) {
    return name.startsWith(kFrame);
}

// The eagle and the stamp place; a frame is an outline that texts sit inside.
bool isMark(const QString& name) {
    return name.startsWith(QLatin1String("GRAFIKA: ")) && !isFrame(name);
}

bool isText(const QString& name) {
    return isDataName(name) || name.contains(QLatin1String("_DATA_LABEL"));
}

int sideOf(const CalibrationEntry& e) {
    return e.name.contains(QLatin1String("_STR2_")) ? 2 : 1;
}

QRect rectOf(const CalibrationEntry& e) {
    return QRect(QPoint(e.x1, e.y1), QPoint(e.x2 - 1, e.y2 - 1));
}

QString describe(const CalibrationEntry& e) {
    return QStringLiteral("%1 (%2,%3)-(%4,%5)").arg(e.name).arg(e.x1).arg(e.y1).arg(e.x2).arg(e.y2);
}

// The font the renderer makes of an entry: pixel size at 96 per inch.
QFont fontOf(const CalibrationEntry& e) {
    QFont font(e.font_name);
    font.setPixelSize(iFunPointsToUnits(e.font_size));
    font.setBold(e.font_style_bold != 0);
    font.setItalic(e.font_style_italic != 0);
    font.setUnderline(e.font_style_underline != 0);
    font.setStrikeOut(e.font_style_strike != 0);
    return font;
}

CalibrationList loadTable(const QString& table) {
    ErrorStream err;
    CalibrationList entries;
    if (!bFunCalibLoadData(err, QStringLiteral(SEMRIK_SHIPPED_DIR "/semrik_kalibracja.sqset"),
                           table, entries))
        qWarning("%s", qPrintable(err.text()));
    return entries;
}

QStringList entryNames(const CalibrationList& entries) {
    QStringList names;
    for (const CalibrationEntry& e : entries) names << e.name;
    return names;
}

const QList<const DocumentType*>& certificateTypes() {
    static const QList<const DocumentType*> types = [] {
        QList<const DocumentType*> list;
        for (const DocumentType& t : documentTypes())
            if (certificateMember(t.formName)) list << &t;
        return list;
    }();
    return types;
}

// The note and the grade sheet's pages: one page each, one table each.
const QList<const DocumentType*>& onePageTypes() {
    static const QList<const DocumentType*> types = [] {
        QList<const DocumentType*> list;
        for (const DocumentType& t : documentTypes())
            if (!certificateMember(t.formName)) list << &t;
        return list;
    }();
    return types;
}

// The note and the b series are printed onto blank paper, the basic series onto its form.
bool printsWholeFace(const QString& table) {
    static const QStringList blankPaper{"wywiadowka", "arkusz_str1b", "arkusz_klasa_4b",
                                        "arkusz_klasa_5b", "arkusz_klasa_6b"};
    return blankPaper.contains(table);
}

// The line a memo's entry prints, from its suffix "01".."99"; -1 when it has none.
int memoLineIndex(const QString& entryName) {
    bool ok = false;
    const int line = entryName.right(2).toInt(&ok);
    return ok && line > 0 && entryName.chopped(2).endsWith(QLatin1String("_DATA_MEMO")) ? line - 1
                                                                                         : -1;
}

// A pupil with long texts: 42 characters wherever the form lets them in (cut to a shorter
// limit), the longest suggestion in lists, every memo line full up to the memo's limit.
const QString kLongText = QStringLiteral("Wojewódzki konkurs matematyczny: laureatka");

void fillLongTexts(FormModel& form) {
    vFunFillDocumentSampleData(form);
    for (int i = 0; i < form.componentCount(); ++i) {
        const Component c = form.component(i);
        if (c.kind == ComponentKind::Memo) {
            form.clearLines(c.name);
            for (int line = 0; line < c.maxLines; ++line) form.appendLine(c.name, kLongText);
        } else if (c.kind == ComponentKind::Edit || c.kind == ComponentKind::ComboBox) {
            QString longest;
            for (const QString& item : c.items)
                if (item.size() > longest.size()) longest = item;
            if (c.maxLength > 0)
                form.setText(c.name, kLongText.left(c.maxLength));
            else if (!longest.isEmpty())
                form.setText(c.name, longest);
        }
    }
}

// Every text fits its rectangle at its font (its box above the writing line included), and no
// two texts or a text and a mark of one side share any space.
QStringList fitAndOverlapProblems(const CalibrationList& entries, const FormModel& form) {
    QStringList problems;
    for (const CalibrationEntry& e : entries) {
        if (!isText(e.name)) continue;
        const QFontMetrics metrics(fontOf(e));
        const int boxHeight = metrics.ascent() + metrics.descent() + e.font_size / 4;
        if (e.y2 - e.y1 < boxHeight)
            problems << QStringLiteral("%1 is %2 high, its text needs %3")
                            .arg(e.name)
                            .arg(e.y2 - e.y1)
                            .arg(boxHeight);
        const QString text = isMemoLine(e.name)
                                 ? form.line(e.name.chopped(2), memoLineIndex(e.name))
                                 : form.text(e.name);
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            const int width = metrics.horizontalAdvance(line);
            if (width > e.x2 - e.x1)
                problems << QStringLiteral("\"%1\" is %2 wide, %3 has %4")
                                .arg(line)
                                .arg(width)
                                .arg(e.name)
                                .arg(e.x2 - e.x1);
        }
    }
    for (int i = 0; i < entries.size(); ++i) {
        for (int j = i + 1; j < entries.size(); ++j) {
            const CalibrationEntry& a = entries.at(i);
            const CalibrationEntry& b = entries.at(j);
            const bool solid =
                (isText(a.name) || isMark(a.name)) && (isText(b.name) || isMark(b.name));
            if (solid && sideOf(a) == sideOf(b) && rectOf(a).intersects(rectOf(b)))
                problems << describe(a) + QLatin1String(" overlaps ") + describe(b);
        }
    }
    return problems;
}

}  // namespace

class CertificateFaceTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void everyComponentHasItsEntries_data();
    void everyComponentHasItsEntries();
    void tablesHoldWhatTheirPaperNeeds_data();
    void tablesHoldWhatTheirPaperNeeds();
    void entriesStayOnThePrintablePage_data();
    void entriesStayOnThePrintablePage();
    void sampleDataFitWithoutOverlap_data();
    void sampleDataFitWithoutOverlap();

    void onePageTablesHoldWhatTheirPaperNeeds_data();
    void onePageTablesHoldWhatTheirPaperNeeds();
    void longTextsFitWithoutOverlap_data();
    void longTextsFitWithoutOverlap();

private:
    void addTableRows();
    void addOnePageRows();
    TestEnvironment m_env{false};
    FormRegistry m_forms;
};

void CertificateFaceTest::initTestCase() {
    QCOMPARE(certificateTypes().size(), 12);
    QCOMPARE(onePageTypes().size(), 9);
    // Measuring a fallback face would pass texts that overflow on the user's printer.
    const QString family = QFontInfo(QFont(QStringLiteral("Times New Roman"))).family();
    QVERIFY2(
        family == QLatin1String("Times New Roman") || family == QLatin1String("Liberation Serif"),
        qPrintable(QStringLiteral("Times New Roman resolves to \"%1\"; install fonts-liberation "
                                  "so it maps to the metric-compatible Liberation Serif")
                       .arg(family)));
}

void CertificateFaceTest::everyComponentHasItsEntries_data() {
    QTest::addColumn<QString>("formName");
    for (const DocumentType* t : certificateTypes())
        QTest::newRow(qPrintable(t->formName)) << t->formName;
}

// Every data component in both tables of its member; on the a series also every label. And no
// entry names what the form lacks: the renderer would silently skip it.
void CertificateFaceTest::everyComponentHasItsEntries() {
    QFETCH(QString, formName);
    const CertificateMember* member = certificateMember(formName);
    const FormModel* form = m_forms.forModel(formName);
    QVERIFY(member && form);
    const DocumentType* type = nullptr;
    for (const DocumentType* t : certificateTypes())
        if (t->formName == formName) type = t;
    QVERIFY(type);

    for (const QString& table : {type->key, type->keyWithoutDots}) {
        const CalibrationList entries = loadTable(table);
        const QStringList names = entryNames(entries);
        QStringList problems;
        for (int i = 0; i < form->componentCount(); ++i) {
            const Component& c = form->component(i);
            const bool printed = c.kind == ComponentKind::Edit ||
                                 c.kind == ComponentKind::ComboBox ||
                                 (c.kind == ComponentKind::Label && member->aSeries);
            if (printed && names.count(c.name) != 1)
                problems
                    << QStringLiteral("%1 has %2 entries").arg(c.name).arg(names.count(c.name));
        }
        for (const CalibrationEntry& e : entries) {
            QString component = e.name;
            if (component.endsWith(kDots)) {
                // A field's dots or a signature line: named after the component it serves.
                component.chop(kDots.size());
                const bool served =
                    form->hasComponent(component + QLatin1String("_DATA_EDIT")) ||
                    form->hasComponent(component + QLatin1String("_DATA_COMBOBOX")) ||
                    form->hasComponent(component + QLatin1String("_DATA_LABEL"));
                if (!served) problems << e.name + QLatin1String(" serves no component");
            } else if (!isMark(e.name) && !form->hasComponent(e.name)) {
                problems << e.name + QLatin1String(" is not a component of the form");
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(table + QLatin1String(": ") + problems.join("; ")));
    }
}

void CertificateFaceTest::addTableRows() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<bool>("aSeries");
    QTest::addColumn<bool>("withDots");
    for (const DocumentType* t : certificateTypes()) {
        const bool aSeries = certificateMember(t->formName)->aSeries;
        QTest::newRow(qPrintable(t->key)) << t->key << aSeries << true;
        QTest::newRow(qPrintable(t->keyWithoutDots)) << t->keyWithoutDots << aSeries << false;
    }
}

void CertificateFaceTest::tablesHoldWhatTheirPaperNeeds_data() {
    addTableRows();
}

// Pre-printed forms take the data only; blank paper gets the whole face, the "_bk" sets without
// dots.
void CertificateFaceTest::tablesHoldWhatTheirPaperNeeds() {
    QFETCH(QString, table);
    QFETCH(bool, aSeries);
    QFETCH(bool, withDots);
    const QStringList names = entryNames(loadTable(table));
    QVERIFY(!names.isEmpty());

    const int labels = int(names.filter(QStringLiteral("_DATA_LABEL")).size());
    const int dots = int(names.filter(kDots).size());
    const QStringList marks = names.filter(QStringLiteral("GRAFIKA: "));
    if (!aSeries) {
        QCOMPARE(labels + dots + int(marks.size()), 0);
        return;
    }
    QVERIFY(labels > 0);
    QCOMPARE(dots > 0, withDots);
    QCOMPARE(marks, QStringList({"GRAFIKA: ORZELEK", "GRAFIKA: PIECZATKA"}));
    // Drawn after the labels, whose face the stamp's "m.p." keeps, and before any field.
    QCOMPARE(names.indexOf(marks.first()), labels);
    QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
}

void CertificateFaceTest::entriesStayOnThePrintablePage_data() {
    addTableRows();
    for (const DocumentType* t : onePageTypes())
        QTest::newRow(qPrintable(t->key)) << t->key << printsWholeFace(t->key) << true;
}

void CertificateFaceTest::entriesStayOnThePrintablePage() {
    QFETCH(QString, table);
    const QRect printable(QPoint(kMargin, kMargin),
                          QPoint(kPageWidth - kMargin - 1, kPageHeight - kMargin - 1));
    QStringList problems;
    for (const CalibrationEntry& e : loadTable(table)) {
        if (e.x1 >= e.x2 || e.y1 >= e.y2 || !printable.contains(rectOf(e))) problems << describe(e);
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join("; ")));
}

void CertificateFaceTest::sampleDataFitWithoutOverlap_data() {
    addTableRows();
}

// With the sample data filled in, every text fits its rectangle at its font (its box above the
// writing line included), and no two texts or a text and a mark of one side share any space.
void CertificateFaceTest::sampleDataFitWithoutOverlap() {
    QFETCH(QString, table);
    const DocumentType* type = nullptr;
    for (const DocumentType* t : certificateTypes())
        if (t->key == table || t->keyWithoutDots == table) type = t;
    QVERIFY(type);
    FormModel* form = m_forms.forModel(type->formName);
    vFunFillSampleData(*form);

    const QStringList problems = fitAndOverlapProblems(loadTable(table), *form);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join("\n")));
}

void CertificateFaceTest::addOnePageRows() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("formName");
    for (const DocumentType* t : onePageTypes())
        QTest::newRow(qPrintable(t->key)) << t->key << t->formName;
}

void CertificateFaceTest::onePageTablesHoldWhatTheirPaperNeeds_data() {
    addOnePageRows();
}

// Every data component has its entry; a memo one per line up to its limit, together and in
// line order, since the renderer counts the lines; no name stands for two rows. Blank paper also gets every label and may
// have frames and dots; a pre-printed form gets the data only. No entry names what the form
// lacks: the renderer would silently skip it.
void CertificateFaceTest::onePageTablesHoldWhatTheirPaperNeeds() {
    QFETCH(QString, table);
    QFETCH(QString, formName);
    const FormModel* form = m_forms.forModel(formName);
    QVERIFY(form);
    const bool wholeFace = printsWholeFace(table);
    const CalibrationList entries = loadTable(table);
    const QStringList names = entryNames(entries);
    QVERIFY(!names.isEmpty());

    QStringList problems;
    // The calibration store changes a row by its name: each must name one row.
    QSet<QString> seen;
    for (const QString& name : names)
        if (seen.contains(name)) problems << name + QLatin1String(" names two rows");
        else seen.insert(name);
    for (int i = 0; i < form->componentCount(); ++i) {
        const Component& c = form->component(i);
        switch (c.kind) {
            case ComponentKind::Edit:
            case ComponentKind::ComboBox:
                if (names.count(c.name) != 1)
                    problems << QStringLiteral("%1 has %2 entries").arg(c.name).arg(names.count(c.name));
                break;
            case ComponentKind::Label:
                if (names.count(c.name) != (wholeFace ? 1 : 0))
                    problems << QStringLiteral("label %1 has %2 entries").arg(c.name).arg(names.count(c.name));
                break;
            case ComponentKind::Memo: {
                if (c.maxLines <= 0) problems << c.name + QLatin1String(" has no line limit");
                const qsizetype first = names.indexOf(c.name + QLatin1String("01"));
                QStringList lines;
                for (const QString& name : names)
                    if (isMemoLine(name) && name.chopped(2) == c.name) lines << name;
                QStringList expected;
                for (int line = 1; line <= c.maxLines; ++line)
                    expected << c.name + QStringLiteral("%1").arg(line, 2, 10, QLatin1Char('0'));
                if (lines != expected || first < 0 || names.mid(first, lines.size()) != lines)
                    problems << QStringLiteral("%1 is printed on %2, not on %3 lines in a row")
                                    .arg(c.name, lines.join(QLatin1Char(',')))
                                    .arg(c.maxLines);
                break;
            }
            case ComponentKind::DropDownList:
            case ComponentKind::WindowOnly:
                break;
        }
    }
    for (const CalibrationEntry& e : entries) {
        if (isFrame(e.name) || e.name.endsWith(kDots)) {
            if (!wholeFace) problems << e.name + QLatin1String(" on a pre-printed form");
            if (isFrame(e.name)) continue;
            QString component = e.name.chopped(kDots.size());
            const bool served = form->hasComponent(component + QLatin1String("_DATA_EDIT")) ||
                                form->hasComponent(component + QLatin1String("_DATA_COMBOBOX")) ||
                                form->hasComponent(component + QLatin1String("_DATA_LABEL"));
            if (!served) problems << e.name + QLatin1String(" serves no component");
        } else if (isMemoLine(e.name)) {
            if (memoLineIndex(e.name) < 0 || !form->hasComponent(e.name.chopped(2)))
                problems << e.name + QLatin1String(" is no line of a memo of the form");
        } else if (!form->hasComponent(e.name) || isMark(e.name)) {
            problems << e.name + QLatin1String(" is not a component of the form");
        }
    }
    QVERIFY2(problems.isEmpty(), qPrintable(table + QLatin1String(": ") + problems.join("; ")));
}

void CertificateFaceTest::longTextsFitWithoutOverlap_data() {
    addOnePageRows();
}

void CertificateFaceTest::longTextsFitWithoutOverlap() {
    QFETCH(QString, table);
    QFETCH(QString, formName);
    FormModel* form = m_forms.forModel(formName);
    QVERIFY(form);
    fillLongTexts(*form);
    const QStringList problems = fitAndOverlapProblems(loadTable(table), *form);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join("\n")));
}

QTEST_MAIN(CertificateFaceTest)
#include "tst_certificate_face.moc"
