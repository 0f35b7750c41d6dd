#include <QApplication>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "forms/qt_prompter.h"

// The file dialogs take filters in the "Description|pattern" pairs the commands are written
// with; Qt wants one "Description (patterns)" entry per pair.
class PromptSeamTest : public QObject {
    Q_OBJECT

private slots:
    void nameFilters_data() {
        QTest::addColumn<QString>("pipeFilter");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("description already names its pattern")
            << "Podstawowa 4-6(*.smrk)|*.smrk" << QStringList{"Podstawowa 4-6(*.smrk)"};
        QTest::newRow("pattern added to a bare description")
            << "Ustawienia|*.sqset" << QStringList{"Ustawienia (*.sqset)"};
        QTest::newRow("several pairs and several patterns")
            << "Stare pliki(*.srk)|*.srk|Wszystkie|*.srk;*.txt"
            << QStringList{"Stare pliki(*.srk)", "Wszystkie (*.srk *.txt)"};
        QTest::newRow("empty description") << "|*.lumk" << QStringList{"(*.lumk)"};
        QTest::newRow("no filter") << "" << QStringList{};
        QTest::newRow("a description without its pattern is dropped")
            << "Podstawowa 4-6(*.smrk)|*.smrk|Dangling" << QStringList{"Podstawowa 4-6(*.smrk)"};
    }

    void nameFilters() {
        QFETCH(QString, pipeFilter);
        QFETCH(QStringList, expected);
        QCOMPARE(qtNameFilters(pipeFilter), expected);
    }

    // Whatever dialog the platform shows, a name typed without extension gets the default one.
    void defaultExtension_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("expected");

        QTest::newRow("typed without extension") << "/home/ania/nowy" << "/home/ania/nowy.smrk";
        QTest::newRow("own extension kept") << "/home/ania/klasa.db" << "/home/ania/klasa.db";
        QTest::newRow("a dot in a folder does not count")
            << "/home/ania.k/4a" << "/home/ania.k/4a.smrk";
        QTest::newRow("cancelled stays cancelled") << "" << "";
    }

    void defaultExtension() {
        QFETCH(QString, chosen);
        QFETCH(QString, expected);
        QCOMPARE(withDefaultExtension(chosen, "smrk"), expected);
    }

    void saveDialogAcceptsTheProposedName() {
        QTemporaryDir dir;
        const FileDialogRequest request{"Zapisz plik", "Podstawowa 4-6(*.smrk)|*.smrk", "smrk",
                                        dir.filePath("nowy")};
        QTimer accept;
        QObject::connect(&accept, &QTimer::timeout, [] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()))
                QMetaObject::invokeMethod(dialog, "accept");
        });
        accept.start(10);
        QtPrompter qt;
        QCOMPARE(qt.saveFileName(nullptr, request), dir.filePath("nowy.smrk"));
    }
};

QTEST_MAIN(PromptSeamTest)
#include "tst_prompt_seam.moc"
