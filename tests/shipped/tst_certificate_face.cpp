// The shipped calibration of the twelve certificates against the certificate forms: every
// field has its place in both of its tables, the a series prints its whole face, nothing leaves
// the printable page or runs into its neighbour, and the sample data fit at their fonts.

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QRect>
#include <QtTest>

#include "forms/certificate_family.h"
#include "forms/document_types.h"
#include "forms/field_model.h"
#include "forms/form_registry.h"
#include "render/calibration.h"
#include "render/page_picture.h"
#include "support/test_environment.h"

namespace {

// Printers cannot reach the outer few millimetres of the sheet.
constexpr int kMargin = 60;

const QString kDots = QStringLiteral("_LINIA_Z_KROPEK");

bool isDataName(const QString& name) {
    return name.contains(QLatin1String("_DATA_EDIT")) ||
           name.contains(QLatin1String("_DATA_COMBOBOX"));
}

bool isMark(const QString& name) {
    return name.startsWith(QLatin1String("GRAFIKA: "));
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

private:
    void addTableRows();
    TestEnvironment m_env{false};
    FormRegistry m_forms;
};

void CertificateFaceTest::initTestCase() {
    QCOMPARE(certificateTypes().size(), 12);
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

    const CalibrationList entries = loadTable(table);
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
        for (const QString& line : form->text(e.name).split(QLatin1Char('\n'))) {
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
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join("\n")));
}

QTEST_MAIN(CertificateFaceTest)
#include "tst_certificate_face.moc"
