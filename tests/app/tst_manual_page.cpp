// The help page installed beside the program: it names every command the main window offers,
// its pictures are installed with it, and the places the program opens it at exist.

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

#include "app/command_tables.h"
#include "storage/paths.h"

namespace {

QString installedPagePath() {
    return QStringLiteral(SEMRIK_INSTALL_DIR "/") + QString::fromLatin1(kHelpFileName);
}

QString pageSource() {
    QFile file(installedPagePath());
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

// What a reader sees: tags dropped, the few entities the page uses decoded, runs of white space
// (line breaks of the source included) made single spaces.
QString pageText() {
    QString text = pageSource();
    text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    text.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return text.simplified();
}

// A caption as the user reads it: without the mnemonic's "&".
QString shown(const char* text) {
    return QString::fromUtf8(text).remove(QLatin1Char('&')).simplified();
}

QStringList attributeValues(const QString& source, const QString& pattern) {
    QStringList values;
    auto matches = QRegularExpression(pattern).globalMatch(source);
    while (matches.hasNext()) values << matches.next().captured(1);
    return values;
}

}  // namespace

class ManualPageTest : public QObject {
    Q_OBJECT

private slots:
    void namesEveryCommand_data();
    void namesEveryCommand();
    void everyPictureIsInstalledBesideThePage();
    void everyPlaceLinkedToExists();
};

void ManualPageTest::namesEveryCommand_data() {
    QTest::addColumn<QString>("caption");
    QSet<QString> seen;
    auto add = [&](const char* where, const char* text) {
        if (!text || seen.contains(shown(text))) return;
        seen.insert(shown(text));
        QTest::addRow("%s: %s", where, qPrintable(shown(text))) << shown(text);
    };
    for (const MenuDefinition& menu : mainMenus()) {
        add("menu", menu.title);
        for (const MenuEntry& entry : menu.entries) add("menu entry", entry.text);
    }
    for (const MenuEntry& entry : treePopupEntries()) add("pop-up", entry.text);
    for (const ToolButtonDefinition& button : toolButtons()) add("tool button", button.hint);
    for (const CheckBoxDefinition& box : toolBarCheckBoxes()) add("tool bar", box.caption);
}

void ManualPageTest::namesEveryCommand() {
    QFETCH(QString, caption);
    static const QString text = pageText();
    QVERIFY2(!text.isEmpty(), qPrintable(installedPagePath()));
    QVERIFY2(text.contains(caption), qPrintable(caption));
}

void ManualPageTest::everyPictureIsInstalledBesideThePage() {
    const QString source = pageSource();
    const QStringList pictures =
        attributeValues(source, QStringLiteral("<img[^>]*\\ssrc=\"([^\"]+)\""));
    QVERIFY(!pictures.isEmpty());
    const QDir pageDir = QFileInfo(installedPagePath()).dir();
    for (const QString& picture : pictures) {
        // Relative, so the page shows them from the build tree and from an installation alike.
        QVERIFY2(QDir::isRelativePath(picture), qPrintable(picture));
        QVERIFY2(QFile::exists(pageDir.filePath(picture)), qPrintable(picture));
    }
}

void ManualPageTest::everyPlaceLinkedToExists() {
    const QString source = pageSource();
    const QStringList idList = attributeValues(source, QStringLiteral("\\sid=\"([^\"]+)\""));
    const QSet<QString> ids(idList.begin(), idList.end());
    // The print dialog's "Pomoc" opens the page at the chapter on fitting the print to the paper.
    QStringList targets{QStringLiteral("marginesy")};
    targets << attributeValues(source, QStringLiteral("href=\"#([^\"]+)\""));
    for (const QString& target : targets) QVERIFY2(ids.contains(target), qPrintable(target));
}

QTEST_GUILESS_MAIN(ManualPageTest)
#include "tst_manual_page.moc"
