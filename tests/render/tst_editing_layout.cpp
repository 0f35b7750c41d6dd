#include <QFile>
#include <QPainter>
#include <QSet>
#include <QtTest>

#include "forms/certificate_family.h"
#include "forms/document_types.h"
#include "forms/field_model.h"
#include "forms/form_registry.h"
#include "render/editing_layout.h"
#include "render/page_renderer.h"
#include "storage/database.h"
#include "storage/error_stream.h"
#include "storage/paths.h"
#include "support/recording_device.h"
#include "support/test_environment.h"

namespace {

Drawing replay(const QPicture& page) {
    RecordingDevice device;
    QPainter painter(&device);
    vFunDrawPagePicture(painter, page, QRectF(0, 0, kPageWidth, kPageHeight));
    painter.end();
    return device.drawing();
}

QStringList wordsOf(const Drawing& drawing) {
    QStringList out;
    for (const DrawnText& t : drawing.words()) out << t.text;
    return out;
}

int sideOf(const QString& name) {
    return name.contains(QLatin1String("_STR2_")) ? 2 : 1;
}

QStringList dataComponents(const FormModel& form) {
    QStringList names;
    for (int i = 0; i < form.componentCount(); ++i) {
        const ComponentKind kind = form.component(i).kind;
        if (kind == ComponentKind::Edit || kind == ComponentKind::ComboBox)
            names << form.component(i).name;
    }
    return names;
}

const FieldPlacement* placementOf(const DocumentLayout& layout, const QString& name) {
    for (const FieldPlacement& p : layout.fields)
        if (p.name == name) return &p;
    return nullptr;
}

QString typeFormName(int type) {
    return documentTypes().at(type).formName;
}

CalibrationEntry entry(const QString& name, int x1, int x2, int y2, int size, int align, bool bold) {
    CalibrationEntry e;
    e.name = name;
    e.x1 = x1;
    e.x2 = x2;
    e.y1 = y2 - 20;
    e.y2 = y2;
    e.font_name = QStringLiteral("Times New Roman");
    e.font_size = size;
    e.font_align = align;
    e.font_style_bold = bold ? 1 : 0;
    return e;
}

}  // namespace

class TestEditingLayout : public QObject {
    Q_OBJECT
private slots:
    void drawnFromTheTablesThatPrintTheFace_data();
    void drawnFromTheTablesThatPrintTheFace();
    void everyDataComponentIsPlacedOnceOnItsSide();
    void fieldsCoverWhereTheirTextsPrint_data();
    void fieldsCoverWhereTheirTextsPrint();
    void placementSitsOnTheWritingLineInThePrintFont();
    void facesShowLabelsAndDotsButNoData();
    void onePageFaceFromItsTableFieldsFromTheDocuments_data();
    void onePageFaceFromItsTableFieldsFromTheDocuments();
    void workingCalibrationWinsAndIsReadAgainAfterInvalidate();
    void damagedCalibrationStillGivesAWindow_data();
    void damagedCalibrationStillGivesAWindow();
};

void TestEditingLayout::drawnFromTheTablesThatPrintTheFace_data() {
    QTest::addColumn<QString>("windowName");
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("fields");
    QTest::newRow("a series itself") << "TFKlasa4a" << "klasa_4a" << "klasa_4a";
    QTest::newRow("plain grade 4") << "TFKlasa4" << "klasa_4a" << "klasa_4a";
    QTest::newRow("plain grade 5, distinction") << "TFKlasa5wyr" << "klasa_5a_wyr" << "klasa_5a_wyr";
    QTest::newRow("plain school-leaving, distinction") << "TFKoniecwyr" << "klasa_6a_wyr" << "klasa_6a_wyr";
    QTest::newRow("meeting note") << "TFWywiadowka" << "wywiadowka" << "wywiadowka";
    QTest::newRow("b title page") << "TFArkuszStr1b" << "arkusz_str1b" << "arkusz_str1b";
    QTest::newRow("b page 8") << "TFArkuszStr8b" << "arkusz_klasa_6b" << "arkusz_klasa_6b";
    QTest::newRow("basic title page") << "TFArkuszStr1" << "arkusz_str1b" << "arkusz_str1";
    QTest::newRow("basic page 6") << "TFArkuszStr6" << "arkusz_klasa_6b" << "arkusz_klasa_4";
    QTest::newRow("basic page 7") << "TFArkuszStr7" << "arkusz_klasa_6b" << "arkusz_klasa_5";
    QTest::newRow("basic page 8") << "TFArkuszStr8" << "arkusz_klasa_6b" << "arkusz_klasa_6";
    QTest::newRow("no document") << "TFDaneUcznia" << "" << "";
}

void TestEditingLayout::drawnFromTheTablesThatPrintTheFace() {
    QFETCH(QString, windowName);
    QFETCH(QString, face);
    QFETCH(QString, fields);
    const EditingTables tables = editingLayoutTables(windowName);
    QCOMPARE(tables.face, face);
    QCOMPARE(tables.fields, fields);
}

// Without a working calibration the shipped one serves, for every member.
void TestEditingLayout::everyDataComponentIsPlacedOnceOnItsSide() {
    TestEnvironment env;
    FormRegistry forms;
    EditingLayouts layouts;
    for (const CertificateMember& member : certificateMembers()) {
        const FormModel& form = *forms.forModel(member.windowName);
        const DocumentLayout& layout = layouts.layoutFor(form);

        QStringList placed;
        for (const FieldPlacement& p : layout.fields) {
            const QString where = member.windowName + QLatin1Char(' ') + p.name;
            placed << p.name;
            QCOMPARE(p.side, sideOf(p.name));
            QVERIFY2(QRectF(0, 0, kPageWidth, kPageHeight).contains(p.rect), qPrintable(where));
            for (const FieldPlacement& other : layout.fields) {
                if (&other == &p || other.side != p.side) continue;
                const QRectF overlap = p.rect.intersected(other.rect);
                QVERIFY2(overlap.isEmpty(), qPrintable(where + QStringLiteral(" overlaps ") + other.name));
            }
        }
        QStringList expected = dataComponents(form);
        placed.sort();
        expected.sort();
        QCOMPARE(placed, expected);
    }
}

void TestEditingLayout::fieldsCoverWhereTheirTextsPrint_data() {
    QTest::addColumn<int>("type");
    for (int type = 0; type < 12; ++type)
        QTest::newRow(qPrintable(typeFormName(type))) << type;
}

// Each field's widget covers the spot where the page renderer prints its text, so what the
// user types sits where it will print.
void TestEditingLayout::fieldsCoverWhereTheirTextsPrint() {
    QFETCH(int, type);
    TestEnvironment env;
    FormRegistry forms;
    FormModel& form = *forms.forModel(typeFormName(type));
    vFunFillSampleData(form);
    form.setText(QStringLiteral("ZMIENNA_Uposledzenie1_STR2_DATA_EDIT"), QStringLiteral("uwagi 1"));
    form.setText(QStringLiteral("ZMIENNA_Uposledzenie2_STR2_DATA_EDIT"), QStringLiteral("uwagi 2"));

    ErrorStream err;
    RenderRequest request;
    request.form = &form;
    request.type = type;
    request.calibrationPath = strFunGetCalibFilePath(err, true);
    request.dataDir = env.installDir();  // the shipped blank forms
    const RenderResult rendered = renderDocumentPages(err, request);
    QCOMPARE(rendered.status, RenderStatus::Previewed);
    const Drawing pages[2] = {replay(rendered.page(1)), replay(rendered.page(2))};

    EditingLayouts layouts;
    for (const FieldPlacement& p : layouts.layoutFor(form).fields) {
        const QString text = form.text(p.name);
        if (text.isEmpty()) continue;
        bool covered = false;
        for (const DrawnText& drawn : pages[p.side - 1].words()) {
            const qreal ascent = QFontMetricsF(drawn.font).ascent();
            const QRectF glyphs(drawn.baseline - QPointF(0, ascent),
                                QSizeF(QFontMetricsF(drawn.font).horizontalAdvance(drawn.text),
                                       ascent + QFontMetricsF(drawn.font).descent()));
            if (drawn.text == text && p.rect.adjusted(-1, -1, 1, 1).contains(glyphs)) covered = true;
        }
        QVERIFY2(covered, qPrintable(p.name + QStringLiteral(" \"") + text + QLatin1Char('"')));
    }
}

void TestEditingLayout::placementSitsOnTheWritingLineInThePrintFont() {
    FormRegistry forms;
    const FormModel& form = *forms.forModel(QStringLiteral("TFKlasa4a"));
    const CalibrationList rows = {
        entry(QStringLiteral("ZMIENNA_Klasa_STR1_DATA_EDIT"), 100, 300, 500, 14, 1, true),
        entry(QStringLiteral("ZMIENNA_WfOcena_STR2_DATA_COMBOBOX"), 475, 790, 592, 12, 2, false),
        entry(QStringLiteral("ZMIENNA_Szczegolne1_STR2_DATA_EDIT"), 115, 790, 1033, 14, 3, false),
        entry(QStringLiteral("ZMIENNA_Nieznane_STR1_DATA_EDIT"), 100, 300, 700, 14, 0, false)};
    const DocumentLayout layout = buildEditingLayout(form, rows, rows);
    QCOMPARE(layout.fields.size(), 3);  // an entry for a component the form lacks places nothing

    const FieldPlacement* grade = placementOf(layout, QStringLiteral("ZMIENNA_Klasa_STR1_DATA_EDIT"));
    QVERIFY(grade);
    QCOMPARE(grade->side, 1);
    QCOMPARE(grade->font.pixelSize(), 19);  // 14 points
    QVERIFY(grade->font.bold());
    QCOMPARE(grade->alignment, Qt::AlignHCenter);
    QPicture device;
    const int cellHeight = QFontMetrics(grade->font, &device).height();
    QCOMPARE(grade->rect, QRectF(QPointF(100, 500 - cellHeight - 14 / 4), QPointF(300, 502)));

    const FieldPlacement* pe = placementOf(layout, QStringLiteral("ZMIENNA_WfOcena_STR2_DATA_COMBOBOX"));
    QVERIFY(pe);
    QCOMPARE(pe->side, 2);
    QCOMPARE(pe->font.pixelSize(), 16);
    QCOMPARE(pe->alignment, Qt::AlignRight);
    // Justified lines are typed from the left.
    QCOMPARE(placementOf(layout, QStringLiteral("ZMIENNA_Szczegolne1_STR2_DATA_EDIT"))->alignment,
             Qt::AlignLeft);
}

// The plain certificate is drawn from the a-series table, with its own subject names.
void TestEditingLayout::facesShowLabelsAndDotsButNoData() {
    TestEnvironment env;
    FormRegistry forms;
    FormModel& form = *forms.forModel(QStringLiteral("TFKlasa4"));
    vFunFillSampleData(form);
    EditingLayouts layouts;
    const DocumentLayout& layout = layouts.layoutFor(form);
    const Drawing sides[2] = {replay(layout.side[0]), replay(layout.side[1])};
    const QStringList side1 = wordsOf(sides[0]);
    const QStringList side2 = wordsOf(sides[1]);

    QVERIFY(side1.contains(QStringLiteral("ŚWIADECTWO SZKOLNE")));
    QVERIFY(side1.contains(QStringLiteral("MEN-I/3/2")));
    QVERIFY(side2.contains(QStringLiteral("technika")));
    QVERIFY(side2.contains(QStringLiteral("informatyka")));
    QVERIFY(!side2.contains(QStringLiteral("zajęcia techniczne")));
    QVERIFY(side1.count(QStringLiteral(".")) > 100);
    QVERIFY(side2.count(QStringLiteral(".")) > 100);
    QVERIFY(placementOf(layout, QStringLiteral("ZMIENNA_TechnikaOcena_STR2_DATA_COMBOBOX")));
    QVERIFY(placementOf(layout, QStringLiteral("ZMIENNA_InformatykaOcena_STR2_DATA_COMBOBOX")));

    for (const QString& data : {QStringLiteral("czwartej"), QStringLiteral("dobry"),
                                QStringLiteral("imię i nazwisko"), QStringLiteral("angielski")}) {
        QVERIFY2(!side1.contains(data) && !side2.contains(data), qPrintable(data));
    }
    // The marks' places are outlined, the marks themselves left to the printer.
    QVERIFY(sides[0].images.isEmpty() && sides[0].paths.isEmpty());
    QCOMPARE(sides[0].rects.size(), 2);
    QVERIFY(sides[0].lines.isEmpty() && sides[1].lines.isEmpty());  // no strikes
}

void TestEditingLayout::onePageFaceFromItsTableFieldsFromTheDocuments_data() {
    QTest::addColumn<bool>("ownFieldsTable");  // a basic page: its face is the b page's
    QTest::addColumn<int>("frames");  // the b page's own box below everything the basic one prints
    QTest::newRow("b page: one table") << false << 2;
    QTest::newRow("basic page: face and fields apart") << true << 1;
}

// A grade-sheet page: a frame, a label with the form's caption and a dotted line on the face;
// an edit and a memo of three writing lines placed where the document's own rows print them.
void TestEditingLayout::onePageFaceFromItsTableFieldsFromTheDocuments() {
    QFETCH(bool, ownFieldsTable);
    QFETCH(int, frames);
    const QString year = QStringLiteral("ZMIENNA_Rok1_DATA_EDIT");
    const QString memo = QStringLiteral("ZMIENNA_Szczegolne1_DATA_MEMO");
    FormModel form(QStringLiteral("TFArkuszStr6b"), QStringLiteral("ARKUSZ"), FormModel::MarkerSet::Plain);
    form.addComponent(Component::named(QStringLiteral("STALY_RokSzkolny_DATA_LABEL"),
                                       QStringLiteral("Rok szkolny")));
    form.addComponent(Component::named(year));
    form.addComponent(Component::named(memo));
    form.setText(year, QStringLiteral("2024/2025"));

    CalibrationEntry frame = entry(QStringLiteral("GRAFIKA: RAMKA"), 80, 800, 900, 12, 0, false);
    frame.y1 = 100;
    CalibrationEntry boxBelow = entry(QStringLiteral("GRAFIKA: RAMKA 002"), 80, 800, 1200, 12, 0, false);
    boxBelow.y1 = 1150;
    CalibrationList face = {
        frame,
        boxBelow,
        entry(QStringLiteral("STALY_RokSzkolny_DATA_LABEL"), 100, 300, 150, 12, 0, true),
        entry(QStringLiteral("ZMIENNA_Rok1_LINIA_Z_KROPEK"), 320, 500, 152, 12, 0, false),
        entry(QStringLiteral("STALY_Nieznany_DATA_LABEL"), 100, 300, 180, 12, 0, false),
    };
    const CalibrationList lines = {
        entry(year, 320, 500, 150, 12, 1, false),
        entry(memo + QStringLiteral("01"), 120, 700, 600, 10, 0, false),
        entry(memo + QStringLiteral("02"), 120, 700, 620, 10, 0, false),
        entry(memo + QStringLiteral("03"), 120, 700, 640, 10, 0, false),
        entry(QStringLiteral("ZMIENNA_Brak_DATA_MEMO01"), 120, 700, 700, 10, 0, false),
    };
    CalibrationList fields = lines;
    if (ownFieldsTable) {  // the face's own data rows stand elsewhere and place nothing
        for (CalibrationEntry row : lines) {
            row.y2 += 300;
            face.append(row);
        }
    } else {
        face.append(lines);
    }
    const DocumentLayout layout = buildEditingLayout(form, face, ownFieldsTable ? fields : face);

    QCOMPARE(layout.sides, 1);
    const Drawing drawn = replay(layout.side[0]);
    const QStringList words = wordsOf(drawn);
    QVERIFY(words.contains(QStringLiteral("Rok szkolny")));
    QVERIFY(!words.contains(QStringLiteral("2024/2025")));
    QCOMPARE(words.count(QStringLiteral(".")), 30);  // 320 to 500, a dot every 6 units
    QCOMPARE(drawn.rects.size(), frames);
    QCOMPARE(drawn.rects.first().rect, QRectF(80, 100, 720, 800));
    QVERIFY(layout.side[1].isNull() || replay(layout.side[1]).isEmpty());

    QCOMPARE(layout.fields.size(), 2);
    const FieldPlacement* yearField = placementOf(layout, year);
    QVERIFY(yearField);
    QCOMPARE(yearField->rect.bottom(), 152.0);
    QCOMPARE(yearField->linePitch, 0.0);
    const FieldPlacement* memoField = placementOf(layout, memo);
    QVERIFY(memoField);
    QCOMPARE(memoField->linePitch, 20.0);
    QCOMPARE(memoField->rect.left(), 120.0);
    QCOMPARE(memoField->rect.right(), 700.0);
    QCOMPARE(memoField->rect.bottom(), 642.0);
    QPicture device;
    const QFont font = memoField->font;
    QCOMPARE(memoField->rect.top(), 600.0 - QFontMetrics(font, &device).height() - 10 / 4);

    // The window showing only the used part still shows all of it.
    QVERIFY(layout.usedArea.contains(QRectF(80, 100, 720, 800)));
    QVERIFY(layout.usedArea.contains(memoField->rect));
    QVERIFY(QRectF(0, 0, kPageWidth, kPageHeight).contains(layout.usedArea));
}

void TestEditingLayout::workingCalibrationWinsAndIsReadAgainAfterInvalidate() {
    TestEnvironment env;
    ErrorStream err;
    const QString working = strFunGetCalibFilePath(err, false);
    QVERIFY(QFile::copy(strFunGetCalibFilePath(err, true), working));
    QFile::setPermissions(working, QFile::ReadOwner | QFile::WriteOwner);

    const QString name = QStringLiteral("ZMIENNA_Klasa_STR1_DATA_EDIT");
    const auto moveTo = [&](int x1) {
        CalibrationList rows;
        QVERIFY(bFunCalibLoadData(err, working, QStringLiteral("klasa_4a"), rows));
        for (CalibrationEntry row : rows) {
            if (row.name != name) continue;
            row.x1 = x1;
            QVERIFY2(bFunSqlCalibUpdateValue(err, working, QStringLiteral("klasa_4a"), row),
                     qPrintable(err.text()));
        }
    };

    FormRegistry forms;
    const FormModel& plain = *forms.forModel(QStringLiteral("TFKlasa4"));
    EditingLayouts layouts;
    moveTo(200);
    QCOMPARE(placementOf(layouts.layoutFor(plain), name)->rect.left(), 200.0);
    moveTo(210);
    QCOMPARE(placementOf(layouts.layoutFor(plain), name)->rect.left(), 200.0);
    layouts.invalidate();
    QCOMPARE(placementOf(layouts.layoutFor(plain), name)->rect.left(), 210.0);
}

void TestEditingLayout::damagedCalibrationStillGivesAWindow_data() {
    QTest::addColumn<QString>("damage");  // applied to every row of the window's table
    QTest::newRow("no face") << "font_name = NULL";
    QTest::newRow("empty face") << "font_name = ''";
    QTest::newRow("every integer")
        << "x1 = -2147483648, x2 = 2147483647, y1 = 2147483647, y2 = -2147483648, "
           "font_size = 2147483647, font_align = -2147483648";
    QTest::newRow("reversed") << "x1 = x2, x2 = x1, y1 = y2 + 50";
    QTest::newRow("negative sizes") << "font_size = -2147483648";
}

// A damaged working calibration (it may come from a user's file) still gives every certificate
// window its faces and fields, placed around the page in the documents' face.
void TestEditingLayout::damagedCalibrationStillGivesAWindow() {
    QFETCH(QString, damage);
    TestEnvironment env;
    ErrorStream err;
    const QString working = strFunGetCalibFilePath(err, false);
    QVERIFY(QFile::copy(strFunGetCalibFilePath(err, true), working));
    QFile::setPermissions(working, QFile::ReadOwner | QFile::WriteOwner);
    CppSQLite3DB db;
    db.open(working);
    for (const char* table : {"klasa_4a", "klasa_6a_wyr"})
        db.execute(QStringLiteral("update %1 set %2").arg(QString::fromLatin1(table), damage));
    db.close();

    FormRegistry forms;
    EditingLayouts layouts;
    // One page's size around the page, with room for the largest font above a writing line
    // and for the two units a field reaches below it.
    const QRectF reach =
        QRectF(-kPageWidth, -kPageHeight, 3 * kPageWidth, 3 * kPageHeight).adjusted(0, -700, 0, 2);
    for (const char* window : {"TFKlasa4", "TFKoniecawyr"}) {
        FormModel& form = *forms.forModel(QString::fromLatin1(window));
        vFunFillSampleData(form);
        const DocumentLayout& layout = layouts.layoutFor(form);
        QCOMPARE(layout.fields.size(), dataComponents(form).size());
        for (const FieldPlacement& p : layout.fields) {
            QVERIFY2(reach.contains(p.rect.topLeft()) && reach.contains(p.rect.bottomRight()),
                     qPrintable(p.name));
            QCOMPARE(p.font.family(), QStringLiteral("Times New Roman"));
            QVERIFY(p.font.pixelSize() > 0 &&
                    p.font.pixelSize() <= iFunPointsToUnits(CalibrationEntry::kMaxFontSize));
        }
        for (int side = 0; side < 2; ++side) {
            const Drawing drawn = replay(layout.side[side]);
            // Unbounded, one dotted line from INT_MIN would be 358 million dots.
            QVERIFY(drawn.texts.size() < 100000);
            for (const DrawnText& t : drawn.texts) {
                if (t.text != QLatin1String("."))  // dots keep the canvas face
                    QCOMPARE(t.font.family(), QStringLiteral("Times New Roman"));
            }
        }
    }
}

QTEST_MAIN(TestEditingLayout)
#include "tst_editing_layout.moc"
