#include "application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QNetworkProxyFactory>
#include <QTranslator>

#include <exception>

#include "app_info.h"
#include "forms/prompter.h"
#include "main_window.h"
#include "program_windows.h"
#include "single_instance.h"
#include "startup.h"
#include "storage/database.h"
#include "toolbar_icons.h"

namespace {

constexpr int kExitFailed = 1;

// Qt cannot carry an exception out of an event handler; catch it where it leaves one and end
// the event loop with the failure code.
class GuardedApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            exit(iFunReportEscapedError(QString::fromUtf8(e.what())));
        } catch (const CppSQLite3Exception& e) {
            exit(iFunReportEscapedError(QString::fromUtf8(e.errorMessage())));
        }
        return false;
    }
};

// Qt's own dialog texts (Yes/No buttons, the file dialog) in Polish, like the rest of the program.
void installPolishQtTexts() {
    static QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Polish), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qtTexts);
    }
}

int runWindows() {
    installPolishQtTexts();
    // The title is not made the application's display name: Qt would append it to every
    // window caption.
    QApplication::setWindowIcon(programIcon());
    // The update check reaches the server the way the desktop's other programs do.
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    if (bFunIsAlreadyRunning()) return 0;

    std::unique_ptr<TFGlowna> main = createProgramWindows();
    vFunInitMainWindow(*main);
    // A failed initialisation has told the user and closed the window: the program ends
    // before it shows, without opening a file into a half-started program.
    if (main->hasClosed()) return kExitFailed;
    vFunOpenCommandLineFile(*main, strFunCommandLineTail(QCoreApplication::arguments()));

    main->showMaximized();
    return QApplication::exec();
}

}  // namespace

int iFunReportEscapedError(const QString& message) {
    prompter().message(nullptr, message, app_info::applicationTitle(), PromptIcon::Error,
                       PromptButtons::Ok);
    return kExitFailed;
}

int iFunRunProgram(int& argc, char** argv) {
    GuardedApplication application(argc, argv);
    try {
        return runWindows();
    } catch (const std::exception& e) {
        return iFunReportEscapedError(QString::fromUtf8(e.what()));
    } catch (const CppSQLite3Exception& e) {
        return iFunReportEscapedError(QString::fromUtf8(e.errorMessage()));
    }
}
