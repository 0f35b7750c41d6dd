// The pictures drawn at build time: where they land, the page geometry the preview relies on,
// the eagle recording and the catalogue rows that install them.

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QtTest>

#include "forms/school_template_layout.h"
#include "storage/database.h"
#include "support/file_contents.h"

namespace {

const QStringList kSheets = {"sw_str1_prw.bmp", "sw_str1_prw_wyr.bmp", "sw_str2_prw.bmp",
                             "wywiadowka_prw.bmp", "arkusz_prw.bmp"};
const QStringList kPictures =
    kSheets + QStringList{"orzel.emf", "m_p.bmp", "szablon_swiadectwo.bmp", "szablon_arkusz.bmp"};

QString shipped(const QString& name) {
    return QStringLiteral(SEMRIK_SHIPPED_DIR "/grafika/") + name;
}
QString installed(const QString& name) {
    return QStringLiteral(SEMRIK_INSTALL_DIR "/grafika/") + name;
}

bool isWhite(const QImage& image, int x, int y) {
    return image.pixel(x, y) == qRgb(255, 255, 255);
}

}  // namespace

class PicturesTest : public QObject {
    Q_OBJECT

private slots:
    void pictureIsShippedAndPlacedBesideTheExecutable_data();
    void pictureIsShippedAndPlacedBesideTheExecutable();
    void sheetPutsThePageWhereThePreviewStretchesIt_data();
    void sheetPutsThePageWhereThePreviewStretchesIt();
    void eagleIsAVectorRecordingThatDrawsSomething();
    void stampPlaceLeavesItsMiddleClearForTheText();
    void catalogueInstallsEveryPicture();
    void templatePicturesHaveALineUnderEveryField_data();
    void templatePicturesHaveALineUnderEveryField();
};

void PicturesTest::pictureIsShippedAndPlacedBesideTheExecutable_data() {
    QTest::addColumn<QString>("name");
    for (const QString& name : kPictures) QTest::newRow(qPrintable(name)) << name;
}

void PicturesTest::pictureIsShippedAndPlacedBesideTheExecutable() {
    QFETCH(QString, name);
    const QByteArray built = readFile(shipped(name));
    QVERIFY2(!built.isEmpty(), qPrintable(shipped(name)));
    // The start-up installation copies from beside the executable, keeping the "grafika/" folder.
    QCOMPARE(readFile(installed(name)), built);
}

void PicturesTest::sheetPutsThePageWhereThePreviewStretchesIt_data() {
    QTest::addColumn<QString>("name");
    for (const QString& name : kSheets) QTest::newRow(qPrintable(name)) << name;
}

void PicturesTest::sheetPutsThePageWhereThePreviewStretchesIt() {
    QFETCH(QString, name);
    QImage sheet;
    QVERIFY(sheet.load(shipped(name), "BMP"));
    // The page picture is stretched into (74, 74) - (957, 1388): 883 x 1314 pixels.
    QCOMPARE(sheet.size(), QSize(74 + 883 + 74, 74 + 1314 + 74));
    QVERIFY(isWhite(sheet, 74, 74));
    QVERIFY(!isWhite(sheet, 70, 70));
    QVERIFY(isWhite(sheet, 74 + 883 - 1, 74 + 1314 - 1));
    QVERIFY(!isWhite(sheet, 74 + 883 + 4, 74 + 1314 + 4));
}

void PicturesTest::eagleIsAVectorRecordingThatDrawsSomething() {
    QPicture eagle;
    QVERIFY(eagle.load(shipped("orzel.emf")));
    const QRect bounds = eagle.boundingRect();
    QVERIFY(!bounds.isEmpty());

    // Replay it stretched into a rectangle as the renderer does; an empty recording or one drawn
    // outside its own bounds leaves the rectangle blank.
    QImage canvas(100, 110, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.scale(qreal(canvas.width()) / bounds.width(), qreal(canvas.height()) / bounds.height());
    painter.translate(-bounds.topLeft());
    painter.drawPicture(0, 0, eagle);
    painter.end();
    int dark = 0;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) dark += qGray(canvas.pixel(x, y)) < 128;
    QVERIFY2(dark > canvas.width() * canvas.height() / 5, qPrintable(QString::number(dark)));
}

void PicturesTest::stampPlaceLeavesItsMiddleClearForTheText() {
    QImage stamp;
    QVERIFY(stamp.load(shipped("m_p.bmp"), "BMP"));
    QCOMPARE(stamp.width(), stamp.height());  // a round stamp in a square
    const int middle = stamp.height() / 2;
    QVERIFY(isWhite(stamp, middle, middle));
    QVERIFY(isWhite(stamp, 0, 0));
    int dark = 0;
    for (int x = 0; x < stamp.width(); ++x) dark += qGray(stamp.pixel(x, middle)) < 128;
    QVERIFY(dark > 0);  // the outline crosses the middle row
}

void PicturesTest::catalogueInstallsEveryPicture() {
    const QString path = QStringLiteral(SEMRIK_SHIPPED_DIR "/pliki_kat.sqset");
    QVERIFY(QFile::exists(path));  // opening would create an empty one
    CppSQLite3DB db;
    db.open(path);
    QStringList listed;
    for (CppSQLite3Query q = db.query("select `name` from `files`"); !q.atEnd(); q.advance())
        listed << q.columnTextOr(0);
    db.close();
    for (const QString& name : kPictures)
        QVERIFY2(listed.contains("grafika/" + name), qPrintable(name));
}

void PicturesTest::templatePicturesHaveALineUnderEveryField_data() {
    QTest::addColumn<bool>("certificate");
    QTest::newRow("certificate") << true;
    QTest::newRow("grade sheet") << false;
}

// The window puts its fields where the layout says; the picture under them must have been drawn
// from the same layout, with the dotted line under each field and nothing drawn inside it.
void PicturesTest::templatePicturesHaveALineUnderEveryField() {
    using namespace school_template_layout;
    QFETCH(bool, certificate);
    const QString name = QLatin1String(certificate ? kCertificatePicture : kGradeSheetPicture);
    const int height = certificate ? kCertificateHeight : kGradeSheetHeight;
    const QList<Item> items = certificate
        ? QList<Item>(std::begin(kCertificateItems), std::end(kCertificateItems))
        : QList<Item>(std::begin(kGradeSheetItems), std::end(kGradeSheetItems));
    QImage picture;
    QVERIFY(picture.load(shipped(name), "BMP"));
    QCOMPARE(picture.size(), QSize(kPictureWidth, height));
    for (const Item& item : items) {
        if (item.kind != ItemKind::Field) continue;
        int dotted = 0;
        int inside = 0;
        for (int x = item.x; x < item.x + item.width; ++x) {
            dotted += qGray(picture.pixel(x, item.y)) < 160;
            inside += qGray(picture.pixel(x, item.y - kFieldHeight / 2)) < 160;
        }
        QVERIFY2(dotted > item.width / 5, item.text);
        QVERIFY2(inside == 0, item.text);
    }
}

QTEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
