#include <QApplication>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/app_info.h"
#include "app/main_window.h"
#include "app/program_windows.h"
#include "forms/qt_prompter.h"
#include "support/test_environment.h"

#include <memory>

namespace {

// The caption of the next modal box, which is then closed as by Escape.
class ModalCaptionSpy {
public:
    ModalCaptionSpy() {
        QTimer::singleShot(0, [this] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box) return;
            caption = box->windowTitle();
            box->close();
        });
    }
    QString caption = QStringLiteral("(no box)");
};

}  // namespace

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

    // Boxes the program shows without a caption of their own carry its title, once the main
    // window exists; a box with a caption keeps it.
    void untitledBoxesCarryTheProgramTitle_data() {
        QTest::addColumn<bool>("input");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shown");
        const QString title = app_info::applicationTitle();
        QTest::newRow("message without caption") << false << "" << title;
        QTest::newRow("message with caption") << false << "Błąd" << "Błąd";
        QTest::newRow("input without caption") << true << "" << title;
        QTest::newRow("input with caption") << true << "Nazwa" << "Nazwa";
    }

    void untitledBoxesCarryTheProgramTitle() {
        QFETCH(bool, input);
        QFETCH(QString, caption);
        QFETCH(QString, shown);
        TestEnvironment env;
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        QtPrompter qt;
        ModalCaptionSpy spy;
        if (input) {
            QString value;
            QVERIFY(!qt.inputText(main.get(), caption, QStringLiteral("?"), value));
        } else {
            QCOMPARE(qt.message(main.get(), QStringLiteral("UWAGA !!!"), caption,
                                PromptIcon::Warning, PromptButtons::Ok),
                     PromptAnswer::Ok);
        }
        QCOMPARE(spy.caption, shown);
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
