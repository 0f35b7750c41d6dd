#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPicture>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>
#include <memory>

#include "forms/field_model.h"
#include "render/page_renderer.h"
#include "render/preview_pages.h"
#include "storage/database.h"
#include "storage/error_stream.h"
#include "storage/sql_text.h"
#include "support/recording_device.h"
#include "support/scripted_prompter.h"
#include "support/test_environment.h"

Q_DECLARE_METATYPE(RenderStatus)

namespace {

const QString kTimes = QStringLiteral("Times New Roman");

CalibrationEntry row(const QString& name, int x1, int y1, int x2, int y2, int size = 12,
                     int align = 0) {
    CalibrationEntry e;
    e.name = name;
    e.x1 = x1;
    e.y1 = y1;
    e.x2 = x2;
    e.y2 = y2;
    e.font_name = kTimes;
    e.font_size = size;
    e.font_align = align;
    return e;
}

QFont unitFont(const QString& family, int pixels) {
    QFont font(family);
    font.setPixelSize(pixels);
    return font;
}

// The top of a text's cell: its baseline less the ascent of the font it was drawn in.
qreal textTop(const DrawnText& t) {
    return t.baseline.y() - QFontMetricsF(t.font).ascent();
}
qreal textRight(const DrawnText& t) {
    return t.baseline.x() + QFontMetricsF(t.font).horizontalAdvance(t.text);
}

#define QCOMPARE_NEAR(actual, expected, tolerance)            \
    QVERIFY2(                                                 \
        qAbs(qreal(actual) - qreal(expected)) <= (tolerance), \
        qPrintable(QStringLiteral("%1 = %2, expected %3").arg(#actual).arg(actual).arg(expected)))

Drawing replay(const QPicture& page, int dpi = 96,
               const QRectF& target = QRectF(0, 0, kPageWidth, kPageHeight)) {
    RecordingDevice device(dpi);
    QPainter painter(&device);
    vFunDrawPagePicture(painter, page, target);
    painter.end();
    return device.drawing();
}

QStringList texts(const Drawing& drawing) {
    QStringList out;
    for (const DrawnText& t : drawing.words()) out << t.text;
    return out;
}

// One rendering's world: a calibration database, a program data directory with its pictures,
// and a form.
class Scene {
public:
    Scene() : form(QStringLiteral("TFTest"), QStringLiteral("TEST"), FormModel::MarkerSet::Plain) {
        QDir(dir.path()).mkpath(QStringLiteral("data/grafika"));
        request.form = &form;
        request.calibrationPath = dir.filePath(QStringLiteral("semrik_kalibracja.sqset"));
        request.dataDir = dir.filePath(QStringLiteral("data"));
        addPictures();
    }

    void table(const QString& name, const CalibrationList& rows) {
        CppSQLite3DB db;
        db.open(request.calibrationPath);
        const QString quoted = sql::quotedTable(name);
        db.execute(QStringLiteral("create table ") + quoted +
                   QStringLiteral("(name, x1, y1, x2, y2, font_name, font_size, font_align, "
                                  "font_style_bold, font_style_italic, font_style_underline, "
                                  "font_style_strike)"));
        for (const CalibrationEntry& e : rows) {
            db.execute(
                QStringLiteral(
                    "insert into %1 values('%2', %3, %4, %5, %6, '%7', %8, %9, %10, 0, 0, 0)")
                    .arg(quoted, sql::escaped(e.name))
                    .arg(e.x1)
                    .arg(e.y1)
                    .arg(e.x2)
                    .arg(e.y2)
                    .arg(sql::escaped(e.font_name))
                    .arg(e.font_size)
                    .arg(e.font_align)
                    .arg(e.font_style_bold));
        }
        db.close();
    }

    // A table whose rows are given as SQL value lists, so NULLs and extreme numbers go in as
    // a damaged file would hold them.
    void rawTable(const QString& name, const QStringList& valueLists) {
        table(name, {});
        CppSQLite3DB db;
        db.open(request.calibrationPath);
        for (const QString& values : valueLists)
            db.execute(QStringLiteral("insert into `%1` values(%2)").arg(name, values));
        db.close();
    }

    void text(const QString& name, const QString& value) {
        form.addComponent(Component::named(name));
        form.setText(name, value);
    }

    void memo(const QString& name, const QStringList& lines) {
        form.addComponent(Component::named(name));
        for (const QString& line : lines) form.appendLine(name, line);
    }

    QString picturePath(const QString& file) const {
        return request.dataDir + QStringLiteral("/grafika/") + file;
    }

    void removePictures() {
        QDir pictures(request.dataDir + QStringLiteral("/grafika"));
        QVERIFY(pictures.removeRecursively());
    }

    // The marks and blank forms of the program data directory.
    void addPictures() {
        QPicture eagle;
        QPainter painter(&eagle);
        QPainterPath body;
        body.addRect(0, 0, 200, 230);
        painter.fillPath(body, Qt::black);
        painter.end();
        QVERIFY(eagle.save(picturePath(QStringLiteral("orzel.emf"))));
        QImage image(40, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        for (const char* file : {"m_p.bmp", "sw_str1_prw.bmp", "sw_str1_prw_wyr.bmp",
                                 "sw_str2_prw.bmp", "wywiadowka_prw.bmp", "arkusz_prw.bmp"})
            QVERIFY(image.save(picturePath(QString::fromLatin1(file)), "BMP"));
    }

    void run() {
        result = renderDocumentPages(err, request);
        page[0] = replay(result.page(1));
        page[1] = replay(result.page(2));
    }

    QTemporaryDir dir;
    FormModel form;
    RenderRequest request;
    ErrorStream err;
    RenderResult result;
    Drawing page[2];
};

}  // namespace

// The page renderer draws what the calibration table lists, where it lists it, the same on any
// screen; the drawings are read back by replaying the page pictures into a recording device.
class TestPageRenderer : public QObject {
    Q_OBJECT

private:
    TestEnvironment m_env{false};

private slots:
    void initTestCase() {
        // The test main pins 96 dpi; pages must come out the same on the screen's real one.
        QCoreApplication::setAttribute(Qt::AA_Use96Dpi, false);
    }

    void screenResolutionIsTheOneAskedFor() {
        // The suite also runs on a 144-dpi screen; make sure that run really has one.
        const QByteArray expected = qgetenv("SEMRIK_EXPECTED_SCREEN_DPI");
        if (expected.isEmpty()) QSKIP("default screen");
        QCOMPARE(QPicture().logicalDpiY(), expected.toInt());
    }

    void emptyFieldStrike_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("strike");
        QTest::addColumn<bool>("withoutDots");
        QTest::addColumn<int>("lineY");  // -1: nothing drawn
        QTest::newRow("certificate, dots") << 6 << true << false << 490;
        QTest::newRow("certificate, no dots: _bk table") << 6 << true << true << 585;
        QTest::newRow("certificate, switch off") << 6 << false << false << -1;
        QTest::newRow("report, dots") << 12 << true << false << 690;
        QTest::newRow("report, no dots: one table") << 12 << true << true << 685;
    }
    void emptyFieldStrike() {
        QFETCH(int, type);
        QFETCH(bool, strike);
        QFETCH(bool, withoutDots);
        QFETCH(int, lineY);
        Scene s;
        s.table(QStringLiteral("klasa_4"),
                {row(QStringLiteral("ZMIENNA_Klasa_STR1_DATA_EDIT"), 100, 450, 300, 500)});
        s.table(QStringLiteral("klasa_4_bk"),
                {row(QStringLiteral("ZMIENNA_Klasa_STR1_DATA_EDIT"), 100, 550, 300, 600)});
        s.table(QStringLiteral("wywiadowka"),
                {row(QStringLiteral("ZMIENNA_Klasa_DATA_EDIT"), 100, 650, 300, 700)});
        s.text(QStringLiteral("ZMIENNA_Klasa_STR1_DATA_EDIT"), QString());
        s.text(QStringLiteral("ZMIENNA_Klasa_DATA_EDIT"), QString());
        s.request.type = type;
        s.request.switches.strikeEmptyFields = strike;
        s.request.switches.printWithoutDots = withoutDots;
        s.run();
        QCOMPARE(s.result.status, RenderStatus::Previewed);
        if (lineY < 0) {
            QVERIFY(s.page[0].isEmpty());
        } else {
            QCOMPARE(s.page[0].lines, QList<QLineF>({QLineF(100, lineY, 300, lineY)}));
        }
    }

    void whatATextEntryDraws_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("inForm");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("page");  // where something is drawn; 0: nowhere
        QTest::newRow("empty birth place, page 1")
            << "ZMIENNA_UrWE_STR1_DATA_EDIT" << true << "" << 0;
        QTest::newRow("empty school place, page 1")
            << "ZMIENNA_SzkolaWE_STR1_DATA_EDIT" << true << "" << 0;
        QTest::newRow("filled birth place, page 1")
            << "ZMIENNA_UrWE_STR1_DATA_EDIT" << true << "Kraków" << 1;
        QTest::newRow("empty birth place, page 2")
            << "ZMIENNA_UrWE_STR2_DATA_EDIT" << true << "" << 2;
        QTest::newRow("empty other edit, page 1")
            << "ZMIENNA_Klasa_STR1_DATA_EDIT" << true << "" << 1;
        QTest::newRow("label, page 2") << "STALY_Tytul_STR2_DATA_LABEL" << true << "WYNIKI" << 2;
        QTest::newRow("combo box, page 2") << "ZMIENNA_Ocena_STR2_DATA_COMBOBOX" << true << "" << 2;
        QTest::newRow("edit the form lacks") << "ZMIENNA_Brak_STR1_DATA_EDIT" << false << "" << 0;
        QTest::newRow("label the form lacks") << "STALY_Brak_STR2_DATA_LABEL" << false << "" << 0;
        QTest::newRow("combo box the form lacks")
            << "ZMIENNA_Brak_STR1_DATA_COMBOBOX" << false << "" << 0;
        QTest::newRow("memo on a certificate")
            << "ZMIENNA_Uwagi_STR1_DATA_MEMO01" << true << "" << 0;
        QTest::newRow("no marker") << "ZMIENNA_Klasa" << true << "" << 0;
    }
    void whatATextEntryDraws() {
        QFETCH(QString, name);
        QFETCH(bool, inForm);
        QFETCH(QString, text);
        QFETCH(int, page);
        Scene s;
        s.table(QStringLiteral("klasa_4a"), {row(name, 100, 450, 300, 500)});
        if (inForm) s.text(name, text);
        s.request.type = 0;
        s.request.switches.strikeEmptyFields = true;
        s.run();
        for (int p = 1; p <= 2; ++p) {
            const Drawing& drawn = s.page[p - 1];
            QCOMPARE(drawn.isEmpty(), p != page);
            if (p == page)
                QCOMPARE(texts(drawn), text.isEmpty() ? QStringList() : QStringList{text});
        }
    }

    void textSitsOnItsLine_data() {
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<int>("gap");  // between the cell and y2
        QTest::newRow("12 pt") << 12 << 16 << 3;
        QTest::newRow("11 pt") << 11 << 15 << 2;
        QTest::newRow("10 pt") << 10 << 13 << 2;
        QTest::newRow("16 pt") << 16 << 21 << 4;
    }
    void textSitsOnItsLine() {
        QFETCH(int, points);
        QFETCH(int, pixels);
        QFETCH(int, gap);
        Scene s;
        s.table(QStringLiteral("arkusz_str1"),
                {row(QStringLiteral("ZMIENNA_Klasa_DATA_EDIT"), 100, 10, 400, 500, points)});
        s.text(QStringLiteral("ZMIENNA_Klasa_DATA_EDIT"), QStringLiteral("Ąg"));
        s.request.type = 17;
        s.run();
        QCOMPARE(s.page[0].texts.size(), 1);
        const DrawnText& t = s.page[0].texts.at(0);
        QCOMPARE(t.font.pixelSize(), pixels);
        const int cell = QFontMetrics(unitFont(kTimes, pixels)).height();
        QCOMPARE_NEAR(textTop(t), 500 - cell - gap, 1);
        QCOMPARE_NEAR(t.baseline.x(), 100, 0.5);
        QCOMPARE(t.color, QColor(Qt::black));
    }

    void alignment_data() {
        QTest::addColumn<int>("align");
        QTest::addColumn<QString>("edge");
        QTest::newRow("0 left") << 0 << "left";
        QTest::newRow("1 centre") << 1 << "centre";
        QTest::newRow("2 right") << 2 << "right";
        QTest::newRow("9 centres") << 9 << "centre";
        QTest::newRow("-1 centres") << -1 << "centre";
    }
    void alignment() {
        QFETCH(int, align);
        QFETCH(QString, edge);
        Scene s;
        s.table(QStringLiteral("arkusz_str1"),
                {row(QStringLiteral("ZMIENNA_Klasa_DATA_EDIT"), 100, 10, 400, 500, 12, align)});
        s.text(QStringLiteral("ZMIENNA_Klasa_DATA_EDIT"), QStringLiteral("piąta"));
        s.request.type = 17;
        s.run();
        const DrawnText& t = s.page[0].texts.at(0);
        if (edge == QLatin1String("left")) QCOMPARE_NEAR(t.baseline.x(), 100, 0.5);
        if (edge == QLatin1String("right")) QCOMPARE_NEAR(textRight(t), 400, 1);
        if (edge == QLatin1String("centre"))
            QCOMPARE_NEAR((t.baseline.x() + textRight(t)) / 2, 250, 1);
    }

    void justifiedText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("four blanks: left-aligned")
            << "jeden dwa trzy cztery pięć"
            << QStringList{QStringLiteral("jeden dwa trzy cztery pięć")};
        QTest::newRow("five blanks: spread")
            << "a bb ccc dddd eeeee ffffff"
            << QStringList{"a", "bb", "ccc", "dddd", "eeeee", "ffffff"};
        QTest::newRow("double blank: an empty word")
            << "a  bb ccc dddd eeeee" << QStringList{"a", "bb", "ccc", "dddd", "eeeee"};
    }
    void justifiedText() {
        QFETCH(QString, text);
        QFETCH(QStringList, words);
        Scene s;
        s.table(QStringLiteral("arkusz_str1"),
                {row(QStringLiteral("ZMIENNA_Klasa_DATA_EDIT"), 100, 10, 700, 500, 12, 3)});
        s.text(QStringLiteral("ZMIENNA_Klasa_DATA_EDIT"), text);
        s.request.type = 17;
        s.request.switches.clipTextFields = true;  // justified text ignores it
        s.run();
        const QList<DrawnText> drawn = s.page[0].words();
        QCOMPARE(texts(s.page[0]), words);
        QCOMPARE_NEAR(drawn.first().baseline.x(), 100, 0.5);
        for (const DrawnText& t : s.page[0].texts) QVERIFY(!t.clip);
        if (drawn.size() == 1) return;

        QCOMPARE_NEAR(textRight(drawn.last()), 700, 1);
        // Every blank between two words is widened by the same whole number of units.
        const QFontMetrics metrics(unitFont(kTimes, 16));
        const int blanks = int(text.count(QLatin1Char(' ')));
        const int gap =
            (600 - metrics.horizontalAdvance(QString(text).remove(QLatin1Char(' ')))) / blanks;
        for (int i = 0; i + 2 < drawn.size(); ++i)
            QCOMPARE_NEAR(drawn.at(i + 1).baseline.x() - textRight(drawn.at(i)),
                          gap * (text.split(QLatin1Char(' ')).at(i + 1).isEmpty() ? 2 : 1), 1);
    }

    void clipping_data() {
        QTest::addColumn<bool>("clip");
        QTest::newRow("Ogranicz pola tekstowe on") << true;
        QTest::newRow("off: text runs on") << false;
    }
    void clipping() {
        QFETCH(bool, clip);
        Scene s;
        s.table(QStringLiteral("arkusz_str1"),
                {row(QStringLiteral("ZMIENNA_Klasa_DATA_EDIT"), 100, 10, 160, 500),
                 row(QStringLiteral("X_LINIA_Z_KROPEK"), 100, 0, 110, 600)});
        s.text(QStringLiteral("ZMIENNA_Klasa_DATA_EDIT"),
               QStringLiteral("Tekst dłuższy niż jego pole"));
        s.request.type = 17;
        s.request.switches.clipTextFields = clip;
        s.run();
        const QList<DrawnText>& drawn = s.page[0].texts;
        QCOMPARE(drawn.size(), 3);  // the text and two dots
        QVERIFY(textRight(drawn.at(0)) > 160);
        QCOMPARE(bool(drawn.at(0).clip), clip);
        if (clip) {
            const int cell = QFontMetrics(unitFont(kTimes, 16)).height();
            QCOMPARE(*drawn.at(0).clip, QRectF(QPointF(100, 500 - cell - 3), QPointF(160, 500)));
        }
        QVERIFY(!drawn.at(1).clip);  // the clip ends with its field
    }

    void dottedLine() {
        Scene s;
        CalibrationEntry bold = row(QStringLiteral("ZMIENNA_Klasa_DATA_EDIT"), 100, 10, 300, 300);
        bold.font_name = QStringLiteral("Arial");
        bold.font_style_bold = 1;
        s.table(QStringLiteral("wywiadowka"),
                {bold, row(QStringLiteral("ZMIENNA_Klasa_LINIA_Z_KROPEK"), 100, 0, 130, 400)});
        s.text(QStringLiteral("ZMIENNA_Klasa_DATA_EDIT"), QStringLiteral("V"));
        s.request.type = 12;
        s.run();
        QList<DrawnText> dots = s.page[0].texts;
        dots.removeFirst();
        QList<qreal> xs;
        for (const DrawnText& dot : dots) {
            QCOMPARE(dot.text, QStringLiteral("."));
            // 14 points, plain, in the face of the text before.
            QCOMPARE(dot.font.pixelSize(), 19);
            QVERIFY(!dot.font.bold());
            QCOMPARE(dot.font.family(), QStringLiteral("Arial"));
            QCOMPARE_NEAR(textTop(dot), 400 - 14, 0.5);
            xs << dot.baseline.x();
        }
        QCOMPARE(xs, QList<qreal>({100, 106, 112, 118, 124}));
    }

    // The load brings a row near the page, but the drawing must not rely on it: a dotted line
    // over the whole int range gets only the dots that can reach the paper, in their places.
    void dottedLineStaysOnThePage_data() {
        QTest::addColumn<int>("x1");
        QTest::addColumn<int>("x2");
        QTest::newRow("from INT_MIN") << std::numeric_limits<int>::min() << 40;
        QTest::newRow("INT_MIN to INT_MAX")
            << std::numeric_limits<int>::min() + 5 << std::numeric_limits<int>::max();
        QTest::newRow("on the page") << -20 << 10;
    }
    void dottedLineStaysOnThePage() {
        QFETCH(int, x1);
        QFETCH(int, x2);
        RecordingDevice device(96);
        ErrorStream err;
        PreviewRequests preview;
        DrawingSettings settings;
        const CalibrationEntry line = row(QStringLiteral("X_LINIA_Z_KROPEK"), x1, 0, x2, 400);
        {
            QPainter canvas(&device);
            PageDrawing::vFunPrepareCanvas(canvas);
            PageDrawing(settings, err, preview).vFunDrawDottedLine(canvas, 1, line, line.name);
        }
        const QList<DrawnText>& dots = device.drawing().texts;
        QVERIFY(!dots.isEmpty());
        QVERIFY(dots.size() <= (qMin(x2, kPageWidth) + 12) / 6 + 1);
        for (const DrawnText& dot : dots) {
            const qint64 x = qRound64(dot.baseline.x());
            QVERIFY2(x >= -12 && x < qMin(x2, kPageWidth), qPrintable(QString::number(x)));
            QCOMPARE((x - x1) % 6, qint64(0));  // the dots keep their spacing from x1
        }
    }

    void memoLinesAreCounted() {
        Scene s;
        CalibrationList rows;
        for (int i = 1; i <= 8; ++i)
            rows << row(QStringLiteral("ZMIENNA_Uwagi_DATA_MEMO0%1").arg(i), 100, 0, 300,
                        100 + 20 * i);
        rows << row(QStringLiteral("ZMIENNA_A_DATA_MEMO01"), 100, 0, 300, 400)
             << row(QStringLiteral("ZMIENNA_B_DATA_MEMO01"), 100, 0, 300, 420)
             << row(QStringLiteral("ZMIENNA_A_DATA_MEMO02"), 100, 0, 300, 440)
             << row(QStringLiteral("ZMIENNA_Brak_DATA_MEMO01"), 100, 0, 300, 460);
        s.table(QStringLiteral("arkusz_klasa_4b"), rows);
        s.memo(QStringLiteral("ZMIENNA_Uwagi_DATA_MEMO"),
               {QStringLiteral("pierwsza"), QStringLiteral("druga")});
        s.memo(QStringLiteral("ZMIENNA_A_DATA_MEMO"), {QStringLiteral("a0"), QStringLiteral("a1")});
        s.memo(QStringLiteral("ZMIENNA_B_DATA_MEMO"), {QStringLiteral("b0")});
        s.request.type = 14;
        s.request.switches.strikeEmptyFields = true;
        s.run();
        // A, B, A: the memo changed twice, so the second A entry starts again at line 0.
        QCOMPARE(texts(s.page[0]), QStringList({"pierwsza", "druga", "a0", "b0", "a0"}));
        QCOMPARE(s.page[0].texts.at(1).baseline.y() > s.page[0].texts.at(0).baseline.y(), true);
        QList<qreal> struck;
        for (const QLineF& line : s.page[0].lines) struck << line.y1();
        QCOMPARE(struck, QList<qreal>({150, 170, 190, 210, 230, 250}));  // entries 3 to 8
    }

    void marks_data() {
        QTest::addColumn<bool>("print");
        QTest::addColumn<bool>("pictures");
        QTest::newRow("print") << true << true;
        QTest::newRow("preview") << false << true;
        QTest::newRow("print, pictures missing") << true << false;
        QTest::newRow("print, pictures unreadable") << true << true;
    }
    void marks() {
        QFETCH(bool, print);
        QFETCH(bool, pictures);
        const bool unreadable = QByteArray(QTest::currentDataTag()).endsWith("unreadable");
        Scene s;
        s.table(QStringLiteral("klasa_4a"),
                {row(QStringLiteral("GRAFIKA: ORZELEK"), 400, 80, 480, 172),
                 row(QStringLiteral("GRAFIKA: PIECZATKA"), 100, 1000, 250, 1150),
                 row(QStringLiteral("ZMIENNA_Klasa_STR1_DATA_EDIT"), 300, 10, 500, 600)});
        s.text(QStringLiteral("ZMIENNA_Klasa_STR1_DATA_EDIT"), QStringLiteral("IV"));
        if (!pictures) s.removePictures();
        QStringList marks;
        for (const char* file : {"orzel.emf", "m_p.bmp"}) {
            marks << s.picturePath(QString::fromLatin1(file));
            if (!unreadable) continue;
            QFile damaged(marks.last());
            QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
            damaged.write("damaged picture");
        }
        s.request.type = 0;
        s.request.print = print;
        ScriptedPrompter prompts;
        const bool marked = print && pictures && !unreadable;
        for (const QString& path : marks) {
            if (print && !pictures)
                prompts.expectMessage(QStringLiteral("Plik nie istnieje.\n\n") + path,
                                      QStringLiteral("Bład"), PromptIcon::Error, PromptButtons::Ok);
            if (unreadable)
                prompts.expectMessage(
                    QStringLiteral("Nie można odczytać pliku graficznego.\n\n") + path,
                    QStringLiteral("Błąd"), PromptIcon::Error, PromptButtons::Ok);
        }
        s.run();
        QVERIFY_PROMPTS(prompts);
        QCOMPARE(s.result.status, print ? RenderStatus::Printed : RenderStatus::Previewed);
        // A mark that could not be drawn leaves the pages incomplete, and the caller knows.
        QCOMPARE(s.result.marksLeftOut, print && !marked ? marks : QStringList());
        QCOMPARE(s.result.complete(), !print || marked);

        const Drawing& drawn = s.page[0];
        QCOMPARE(texts(drawn), marked ? QStringList({"m.p.", "IV"}) : QStringList{"IV"});
        QCOMPARE(drawn.images.size(), marked ? 1 : 0);
        QCOMPARE(drawn.paths.size(), marked ? 1 : 0);
        if (!marked) return;
        // The eagle's picture fills its rectangle; the stamp place too, with "m.p." in its middle.
        const QRectF eagle = drawn.paths.at(0);
        QCOMPARE_NEAR(eagle.left(), 400, 1);
        QCOMPARE_NEAR(eagle.top(), 80, 1);
        QCOMPARE_NEAR(eagle.right(), 480, 1);
        QCOMPARE_NEAR(eagle.bottom(), 172, 1);
        QCOMPARE(drawn.images.at(0), QRectF(100, 1000, 150, 150));
        const DrawnText mp = drawn.words().at(0);
        QCOMPARE(mp.font.pixelSize(), 16);
        QCOMPARE_NEAR((mp.baseline.x() + textRight(mp)) / 2, 175, 1);
    }

    void failures_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        QTest::addColumn<RenderStatus>("status");
        QTest::newRow("type 21") << 21 << "Niepoprawny typ świadectwa" << int(PromptIcon::Warning)
                                 << RenderStatus::InvalidType;
        QTest::newRow("type -1") << -1 << "Niepoprawny typ świadectwa" << int(PromptIcon::Warning)
                                 << RenderStatus::InvalidType;
        QTest::newRow("table missing")
            << 6
            << "Błąd podczas próby wczytania danych kalibracji.\n\nTablica nie istnieje: \nklasa_4"
            << int(PromptIcon::Error) << RenderStatus::CalibrationMissing;
        QTest::newRow("table without rows")
            << 7
            << "Błąd podczas próby wczytania danych kalibracji.\n\nTablica kalibracji nie "
               "zawiera żadnych wpisów: \nklasa_4_wyr"
            << int(PromptIcon::Error) << RenderStatus::CalibrationEmpty;
    }
    void failures() {
        QFETCH(int, type);
        QFETCH(QString, message);
        QFETCH(int, icon);
        QFETCH(RenderStatus, status);
        Scene s;
        s.table(QStringLiteral("klasa_4a"),
                {row(QStringLiteral("ZMIENNA_Klasa_STR1_DATA_EDIT"), 1, 1, 50, 50)});
        s.table(QStringLiteral("klasa_4_wyr"), {});
        s.text(QStringLiteral("ZMIENNA_Klasa_STR1_DATA_EDIT"), QString());
        s.request.type = type;
        s.request.pages = 2;
        s.request.switches.strikeEmptyFields = true;
        ScriptedPrompter prompts;
        prompts.expectMessage(message, QStringLiteral("Błąd"), PromptIcon(icon), PromptButtons::Ok);
        s.run();
        QVERIFY_PROMPTS(prompts);
        QCOMPARE(s.result.status, status);
        QVERIFY(!s.result.calibrationLoaded());
        QVERIFY(!s.result.complete());
        QCOMPARE(s.result.pageCount, 0);
        QVERIFY(s.result.entries.isEmpty());
        QVERIFY(s.page[0].isEmpty() && s.page[1].isEmpty());
        QCOMPARE(s.result.preview.secondTabVisible, -1);
    }

    // Rows of a damaged or hand-edited calibration file, for the preview (with the highlight on
    // the row) and for the printer: the rendering finishes, draws only in and around the page,
    // and prints its text in a usable font.
    void hostileRowsAreDrawnSafely_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("values");  // name, x1, y1, x2, y2, font_name, font_size,
                                              // font_align, bold, italic, underline, strike
        QTest::addColumn<int>("pixels");      // the text's pixel size; 0: no text to check
        const QString edit = QStringLiteral("'ZMIENNA_Klasa_DATA_EDIT', ");
        const QString times = QStringLiteral("'Times New Roman'");
        const QString most = QString::number(iFunPointsToUnits(CalibrationEntry::kMaxFontSize));
        const int canvas = iFunPointsToUnits(8);
        QTest::newRow("empty font name")
            << 17 << edit + "100, 0, 400, 500, '', 12, 0, 0, 0, 0, 0" << 16;
        QTest::newRow("NULL font name")
            << 17 << edit + "100, 0, 400, 500, NULL, 12, 0, 1, 1, 1, 1" << 16;
        QTest::newRow("blank font name")
            << 17 << edit + "100, 0, 400, 500, '   ', 12, 3, 0, 0, 0, 0" << 16;
        QTest::newRow("font size 0")
            << 17 << edit + "100, 0, 400, 500, " + times + ", 0, 0, 0, 0, 0, 0" << canvas;
        QTest::newRow("negative font size")
            << 17 << edit + "100, 0, 400, 500, " + times + ", -2147483648, 0, 0, 0, 0, 0" << canvas;
        QTest::newRow("font size 2^31-1")
            << 17 << edit + "100, 0, 400, 500, " + times + ", 2147483647, 3, 0, 0, 0, 0"
            << most.toInt();
        QTest::newRow("font size 23 million")
            << 17 << edit + "100, 0, 400, 500, " + times + ", 23000000, 0, 0, 0, 0, 0"
            << most.toInt();
        QTest::newRow("reversed text rectangle")
            << 17 << edit + "400, 0, 100, 500, " + times + ", 12, 2, 0, 0, 0, 0" << 16;
        QTest::newRow("justified from INT_MIN to INT_MAX")
            << 17 << edit + "-2147483648, 0, 2147483647, 500, " + times + ", 12, 3, 0, 0, 0, 0"
            << 16;
        QTest::newRow("y far below the page")
            << 17 << edit + "100, 2147483647, 400, 2147483647, " + times + ", 12, 0, 0, 0, 0, 0"
            << 16;
        QTest::newRow("y far above the page")
            << 17 << edit + "100, -2147483648, 400, -2147483648, " + times + ", 12, 0, 0, 0, 0, 0"
            << 16;
        QTest::newRow("alignment INT_MIN")
            << 17 << edit + "100, 0, 400, 500, " + times + ", 12, -2147483648, 0, 0, 0, 0" << 16;
        QTest::newRow("alignment INT_MAX")
            << 17 << edit + "100, 0, 400, 500, " + times + ", 12, 2147483647, 0, 0, 0, 0" << 16;
        QTest::newRow("dotted line from INT_MIN")
            << 17 << "'X_LINIA_Z_KROPEK', -2147483648, 0, 130, 400, NULL, 0, 0, 0, 0, 0, 0" << 0;
        QTest::newRow("dotted line to INT_MAX")
            << 17 << "'X_LINIA_Z_KROPEK', 100, 0, 2147483647, 2147483647, '', 0, 0, 0, 0, 0, 0"
            << 0;
        QTest::newRow("empty field struck at INT_MIN")
            << 17
            << "'ZMIENNA_Pusta_DATA_EDIT', -2147483648, -2147483648, 2147483647, -2147483648, "
               "NULL, 2147483647, 0, 0, 0, 0, 0"
            << 0;
        QTest::newRow("memo line everywhere")
            << 17
            << "'ZMIENNA_Uwagi_DATA_MEMO01', -2147483648, 2147483647, 2147483647, "
               "-2147483648, '', -1, 3, 0, 0, 0, 0"
            << canvas;
        QTest::newRow("reversed frame")
            << 17 << "'GRAFIKA: RAMKA', 800, 900, 50, 60, NULL, 0, 0, 0, 0, 0, 0" << 0;
        QTest::newRow("frame of every integer")
            << 17
            << "'GRAFIKA: RAMKA', -2147483648, -2147483648, 2147483647, 2147483647, NULL, 0, 0, 0, "
               "0, 0, 0"
            << 0;
        QTest::newRow("reversed eagle")
            << 0 << "'GRAFIKA: ORZELEK', 480, 172, 400, 80, NULL, 0, 0, 0, 0, 0, 0" << 0;
        QTest::newRow("flat eagle")
            << 0 << "'GRAFIKA: ORZELEK', 400, 80, 400, 80, '', 0, 0, 0, 0, 0, 0" << 0;
        QTest::newRow("stamp of every integer")
            << 0
            << "'GRAFIKA: PIECZATKA', -2147483648, -2147483648, 2147483647, 2147483647, '', "
               "2147483647, 0, 0, 0, 0, 0"
            << 0;
        QTest::newRow("certificate field, no font")
            << 0
            << "'ZMIENNA_Klasa_STR1_DATA_EDIT', 2147483647, 0, -2147483648, 500, NULL, 12, 0, "
               "0, 0, 0, 0"
            << 16;
    }
    void hostileRowsAreDrawnSafely() {
        QFETCH(int, type);
        QFETCH(QString, values);
        QFETCH(int, pixels);
        const QString name = values.section(QLatin1Char('\''), 1, 1);
        for (const bool print : {false, true}) {
            Scene s;
            s.rawTable(type == 0 ? QStringLiteral("klasa_4a") : QStringLiteral("arkusz_str1"),
                       {values});
            s.text(QStringLiteral("ZMIENNA_Klasa_DATA_EDIT"), QStringLiteral("a b c d e f g"));
            s.text(QStringLiteral("ZMIENNA_Klasa_STR1_DATA_EDIT"), QStringLiteral("IV"));
            s.text(QStringLiteral("ZMIENNA_Pusta_DATA_EDIT"), QString());
            s.memo(QStringLiteral("ZMIENNA_Uwagi_DATA_MEMO"), {QStringLiteral("uwagi")});
            s.request.type = type;
            s.request.print = print;
            s.request.highlight = !print;
            s.request.selectedName = name;
            s.request.switches.strikeEmptyFields = true;
            s.request.switches.clipTextFields = true;
            s.run();
            QCOMPARE(s.result.status, print ? RenderStatus::Printed : RenderStatus::Previewed);

            // One page's size around the page, with room for the largest font.
            const QRectF reach = QRectF(-kPageWidth, -kPageHeight, 3 * kPageWidth, 3 * kPageHeight)
                                     .adjusted(-700, -700, 700, 700);
            const auto within = [&reach](const QRectF& r) {  // flat ones too
                return reach.contains(r.topLeft()) && reach.contains(r.bottomRight());
            };
            const Drawing& drawn = s.page[0];
            QVERIFY(drawn.texts.size() < 1000);
            for (const DrawnText& t : drawn.texts) QVERIFY(reach.contains(t.baseline));
            for (const QLineF& line : drawn.lines)
                QVERIFY(reach.contains(line.p1()) && reach.contains(line.p2()));
            for (const DrawnShape& shape : drawn.rects) QVERIFY(within(shape.rect));
            for (const QRectF& image : drawn.images) QVERIFY(within(image));
            for (const QRectF& path : drawn.paths) QVERIFY(within(path));
            if (pixels == 0) continue;
            const QList<DrawnText> words = drawn.words();
            QVERIFY(!words.isEmpty());
            for (const DrawnText& word : words) {
                if (word.text == QLatin1String("m.p.")) continue;
                QCOMPARE(word.font.pixelSize(), pixels);
                QCOMPARE(word.font.family(), kTimes);
            }
        }
    }

    void gradeSheetFrame() {
        Scene s;
        s.table(QStringLiteral("arkusz_klasa_6"),
                {row(QStringLiteral("GRAFIKA: RAMKA"), 50, 60, 800, 900)});
        s.request.type = 20;
        s.run();
        QCOMPARE(s.page[0].rects.size(), 1);
        QCOMPARE(s.page[0].rects.at(0).rect, QRectF(QPointF(50, 60), QPointF(800, 900)));
        QCOMPARE(s.page[0].rects.at(0).color, QColor(Qt::black));
        // The report has no frames.
        s.table(QStringLiteral("wywiadowka"),
                {row(QStringLiteral("GRAFIKA: RAMKA"), 50, 60, 800, 900)});
        s.request.type = 12;
        s.run();
        QVERIFY(s.page[0].isEmpty());
    }

    void highlight_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<QRectF>>("outlines");  // top -1: the text's own top
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("scroll1");
        QTest::addColumn<int>("scroll2");
        const auto r = [](qreal l, qreal t, qreal rr, qreal b) {
            return QRectF(QPointF(l, t), QPointF(rr, b));
        };
        QTest::newRow("short text field")
            << 17 << "ZMIENNA_Klasa_DATA_EDIT"
            << "IV" << QList<QRectF>{r(100, -1, 300, 500)} << 0 << 333 << 333;
        QTest::newRow("tall empty field")
            << 17 << "ZMIENNA_Klasa_DATA_EDIT"
            << "" << QList<QRectF>{r(100, 480, 300, 500)} << 0 << 250 << 250;
        QTest::newRow("page-2 field")
            << 6 << "ZMIENNA_Klasa_STR2_DATA_EDIT"
            << "IV" << QList<QRectF>{r(100, -1, 300, 500)} << 1 << 333 << 333;
        QTest::newRow("memo: every line")
            << 17 << "ZMIENNA_Uwagi_DATA_MEMO02"
            << "IV" << QList<QRectF>{r(100, 620, 300, 640), r(100, 640, 300, 660)} << 0 << 440
            << 440;
        QTest::newRow("dotted line")
            << 17 << "ZMIENNA_Klasa_LINIA_Z_KROPEK"
            << "IV" << QList<QRectF>{r(100, 700, 130, 705)} << 0 << 466 << 466;
        QTest::newRow("frame") << 17 << "GRAFIKA: RAMKA"
                               << "IV" << QList<QRectF>{r(50, 60, 800, 900)} << -1 << -1 << -1;
        QTest::newRow("eagle") << 6 << "GRAFIKA: ORZELEK"
                               << "IV" << QList<QRectF>{r(400, 80, 480, 172)} << 0 << 86 << -1;
        QTest::newRow("nothing chosen") << 17 << ""
                                        << "IV" << QList<QRectF>{} << -1 << -1 << -1;
    }
    void highlight() {
        QFETCH(int, type);
        QFETCH(QString, selected);
        QFETCH(QString, text);
        QFETCH(QList<QRectF>, outlines);
        QFETCH(int, tab);
        QFETCH(int, scroll1);
        QFETCH(int, scroll2);
        Scene s;
        const bool certificate = type < 12;
        const QString infix = certificate ? QStringLiteral("_STR2") : QString();
        s.table(certificate ? QStringLiteral("klasa_4") : QStringLiteral("arkusz_str1"),
                {row(QStringLiteral("GRAFIKA: RAMKA"), 50, 60, 800, 900),
                 row(QStringLiteral("GRAFIKA: ORZELEK"), 400, 80, 480, 172),
                 row(QStringLiteral("ZMIENNA_Klasa%1_DATA_EDIT").arg(infix), 100, 100, 300, 500),
                 row(QStringLiteral("ZMIENNA_Uwagi_DATA_MEMO01"), 100, 620, 300, 640),
                 row(QStringLiteral("ZMIENNA_Uwagi_DATA_MEMO02"), 100, 640, 300, 660),
                 row(QStringLiteral("ZMIENNA_Klasa_LINIA_Z_KROPEK"), 100, 0, 130, 700),
                 row(QStringLiteral("ZMIENNA_Ostatnia%1_DATA_EDIT").arg(infix), 100, 0, 300, 800)});
        s.text(QStringLiteral("ZMIENNA_Klasa%1_DATA_EDIT").arg(infix), text);
        s.memo(QStringLiteral("ZMIENNA_Uwagi_DATA_MEMO"), {});
        s.text(QStringLiteral("ZMIENNA_Ostatnia%1_DATA_EDIT").arg(infix), QStringLiteral("koniec"));
        s.request.type = type;
        s.request.highlight = true;
        s.request.selectedName = selected;
        s.run();

        const int cell = QFontMetrics(unitFont(kTimes, 16)).height();
        QList<QRectF> red;
        for (int p = 0; p < 2; ++p)
            for (const DrawnShape& shape : s.page[p].rects)
                if (shape.color == QColor(Qt::red)) red << shape.rect;
        for (QRectF& expected : outlines)
            if (expected.top() == -1) expected.setTop(500 - cell - 3);
        QCOMPARE(red, outlines);
        QCOMPARE(s.result.preview.tab, tab);
        QCOMPARE(s.result.preview.scroll[0], scroll1);
        QCOMPARE(s.result.preview.scroll[1], scroll2);
        // The pen is black again for whatever follows.
        const QList<DrawnText> words = s.page[certificate ? 1 : 0].words();
        QCOMPARE(words.last().text, QStringLiteral("koniec"));
        QCOMPARE(words.last().color, QColor(Qt::black));
    }

    void previewPictures_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("print");
        QTest::addColumn<bool>("pictures");
        QTest::addColumn<QString>("page1");
        QTest::addColumn<QString>("page2");
        QTest::addColumn<int>("secondTab");
        QTest::newRow("certificate") << 0 << false << true << "sw_str1_prw.bmp"
                                     << "sw_str2_prw.bmp" << 1;
        QTest::newRow("with distinction") << 11 << false << true << "sw_str1_prw_wyr.bmp"
                                          << "sw_str2_prw.bmp" << 1;
        QTest::newRow("report") << 12 << false << true << "wywiadowka_prw.bmp"
                                << "" << 0;
        QTest::newRow("grade sheet") << 16 << false << true << "arkusz_prw.bmp"
                                     << "" << 0;
        QTest::newRow("files missing") << 1 << false << false << ""
                                       << "" << 1;
        QTest::newRow("print") << 0 << true << true << ""
                               << "" << -1;
    }
    void previewPictures() {
        QFETCH(int, type);
        QFETCH(bool, print);
        QFETCH(bool, pictures);
        QFETCH(QString, page1);
        QFETCH(QString, page2);
        QFETCH(int, secondTab);
        Scene s;
        for (const char* table :
             {"klasa_4a", "klasa_6_wyr", "wywiadowka", "arkusz_klasa_6b", "klasa_4a_wyr"})
            s.table(QString::fromLatin1(table),
                    {row(QStringLiteral("ZMIENNA_Klasa_STR1_LINIA_Z_KROPEK"), 100, 0, 110, 400)});
        if (!pictures) s.removePictures();
        s.request.type = type;
        s.request.print = print;
        s.request.pages = 2;
        // A missing blank form is only a warning: the page is drawn all the same.
        ScriptedPrompter prompts;
        QStringList missing;
        if (!pictures && !print) {
            missing << s.picturePath(QStringLiteral("sw_str1_prw_wyr.bmp"))
                    << s.picturePath(QStringLiteral("sw_str2_prw.bmp"));
            for (const QString& path : missing)
                prompts.expectMessage(QStringLiteral("Plik nie istnieje.\n\n") + path,
                                      QStringLiteral("Błąd"), PromptIcon::Warning,
                                      PromptButtons::Ok);
        }
        s.run();
        QVERIFY_PROMPTS(prompts);
        QCOMPARE(s.result.backgroundsMissing, missing);
        QVERIFY(s.result.complete());
        QCOMPARE(s.page[0].texts.size(), 2);  // the dots
        QCOMPARE(s.result.pageCount, 2);
        QCOMPARE(s.result.preview.background[0],
                 page1.isEmpty() ? QString() : s.picturePath(page1));
        QCOMPARE(s.result.preview.background[1],
                 page2.isEmpty() ? QString() : s.picturePath(page2));
        QCOMPARE(s.result.preview.secondTabVisible, secondTab);
    }

    void unreadableBlankFormIsReported() {
        Scene s;
        s.table(QStringLiteral("arkusz_str1"),
                {row(QStringLiteral("ZMIENNA_Klasa_LINIA_Z_KROPEK"), 100, 0, 110, 400)});
        const QString blank = s.picturePath(QStringLiteral("arkusz_prw.bmp"));
        QFile file(blank);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("not a picture");
        file.close();
        s.request.type = 17;
        ScriptedPrompter prompts;
        prompts.expectMessage(QStringLiteral("Nie można odczytać pliku graficznego.\n\n") + blank,
                              QStringLiteral("Błąd"), PromptIcon::Warning, PromptButtons::Ok);
        s.run();
        QVERIFY_PROMPTS(prompts);
        QCOMPARE(s.result.status, RenderStatus::Previewed);
        QCOMPARE(s.result.backgroundsMissing, QStringList{blank});
        QVERIFY(s.result.preview.background[0].isEmpty());
        QCOMPARE(s.page[0].texts.size(), 2);
    }

    void pagesReplayOntoAnyDevice_data() {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<QRectF>("target");
        QTest::newRow("screen, whole page") << 96 << QRectF(0, 0, kPageWidth, kPageHeight);
        QTest::newRow("preview picture") << 96 << PreviewPages::kPageRect;
        QTest::newRow("printer, 300 dpi") << 300 << QRectF(59, 0, 2362, 3507);
        QTest::newRow("pdf, 1200 dpi") << 1200 << QRectF(236, 0, 9449, 14031);
    }
    void pagesReplayOntoAnyDevice() {
        QFETCH(int, dpi);
        QFETCH(QRectF, target);
        Scene s;
        s.table(QStringLiteral("arkusz_str1"),
                {row(QStringLiteral("ZMIENNA_Pusta_DATA_EDIT"), 100, 0, 300, 500),
                 row(QStringLiteral("ZMIENNA_Klasa_DATA_EDIT"), 100, 0, 400, 800)});
        s.text(QStringLiteral("ZMIENNA_Pusta_DATA_EDIT"), QString());
        s.text(QStringLiteral("ZMIENNA_Klasa_DATA_EDIT"), QStringLiteral("IV"));
        s.request.type = 17;
        s.request.switches.strikeEmptyFields = true;
        s.run();

        const Drawing drawn = replay(s.result.page(1), dpi, target);
        const qreal sx = target.width() / kPageWidth;
        const qreal sy = target.height() / kPageHeight;
        const auto map = [&](qreal x, qreal y) {
            return QPointF(target.left() + x * sx, target.top() + y * sy);
        };
        QCOMPARE(drawn.lines.size(), 1);
        QCOMPARE_NEAR(drawn.lines.at(0).p1().x(), map(100, 490).x(), 0.01);
        QCOMPARE_NEAR(drawn.lines.at(0).p1().y(), map(100, 490).y(), 0.01);
        QCOMPARE_NEAR(drawn.lines.at(0).p2().x(), map(300, 490).x(), 0.01);
        const QPointF baseline = s.page[0].texts.at(0).baseline;
        QCOMPARE_NEAR(drawn.texts.at(0).baseline.x(), map(baseline.x(), baseline.y()).x(), 0.01);
        QCOMPARE_NEAR(drawn.texts.at(0).baseline.y(), map(baseline.x(), baseline.y()).y(), 0.01);
    }

    void previewKeepsItsBlankForm() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("blank.bmp"));
        QImage blank(PreviewPages::kImageSize, QImage::Format_RGB32);
        blank.fill(Qt::gray);
        QVERIFY(blank.save(file, "BMP"));

        QPicture page;
        QPainter painter(&page);
        painter.fillRect(QRect(0, 0, kPageWidth, kPageHeight), Qt::black);
        painter.end();

        PreviewPages preview;
        QCOMPARE(preview.composed(1, page).pixelColor(70, 70), QColor(Qt::white));
        PreviewRequests requests;
        requests.background[0] = file;
        preview.takeBackgrounds(requests);
        // A later rendering without a picture keeps the one before, and never its drawing.
        preview.takeBackgrounds(PreviewRequests());
        for (int i = 0; i < 2; ++i) {
            const QImage image = preview.composed(1, page);
            QCOMPARE(image.size(), PreviewPages::kImageSize);
            QCOMPARE(image.pixelColor(70, 70), QColor(Qt::gray));
            QCOMPARE(image.pixelColor(76, 76), QColor(Qt::black));
            QCOMPARE(image.pixelColor(955, 1386), QColor(Qt::black));
            QCOMPARE(image.pixelColor(960, 1391), QColor(Qt::gray));
        }
        QCOMPARE(preview.composed(2, page).pixelColor(70, 70), QColor(Qt::white));
    }
};

QTEST_MAIN(TestPageRenderer)
#include "tst_page_renderer.moc"
