#include <QTest>

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
};

QTEST_MAIN(PromptSeamTest)
#include "tst_prompt_seam.moc"
