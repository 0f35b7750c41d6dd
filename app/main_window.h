#pragma once

#include <QMainWindow>
#include <QString>

#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "command_tables.h"
#include "forms/prompter.h"
#include "render/page_renderer.h"
#include "render/preview_pages.h"
#include "forms/pupil_saver.h"
#include "storage/error_stream.h"
#include "storage/pupil_store.h"

class FormRegistry;
class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QScrollArea;
class QStatusBar;
class QTabWidget;
class QTimer;
class QTreeWidget;
class QWheelEvent;

// What the main window keeps besides its controls.
struct MainWindowState {
    bool print = false;  // set by the page renderer, cleared by the print command
    bool quit = false;   // closing asks nothing and ends the program
    bool dirty = false;  // an editing command has started since the last save
    bool backupChosen = false;
    ErrorStream err;           // shared by every storage operation a command calls
    bool highlight = false;    // the calibration dialog is open
    QString selectedCalibrationName;  // the dialog's chosen entry, outlined in its preview
    RecordList records;        // the current pupil's values, as last loaded or saved
    QString currentPupilName;  // remembered by the edit-document command across its dialog
    QString currentDocumentCaption;
    QString chosenBackupPath;
    // The last rendering: the two page pictures, the calibration entries it drew from and the
    // page count handed to the print dialog; the blank forms shown under the preview pages.
    std::array<QPicture, 2> pages;
    CalibrationList calibration;
    int printPageCount = 0;
    PreviewPages preview;
};

// The main window: tool bar, file path line, pupil tree and the preview of the two pages.
// Every other window of the program is created as its child (see program_windows.h), so it
// finds them with programWindow<T>().
class TFGlowna : public QMainWindow, public PupilSaver {
    Q_OBJECT

public:
    explicit TFGlowna(QWidget* parent = nullptr);
    ~TFGlowna() override;

    MainWindowState& state() { return m_state; }
    const MainWindowState& state() const { return m_state; }

    // The path of the open certificate data file, shown in the status bar; "" when the working
    // database belongs to no file.
    QString currentFilePath() const;
    void setCurrentFilePath(const QString& path);

    // The file dialogs' standing settings; the commands set title and filter before each use.
    FileDialogRequest& saveDialog() { return m_saveDialog; }
    FileDialogRequest& openDialog() { return m_openDialog; }

    QTreeWidget* treeView() const { return m_treeView; }
    QMenu* treeViewPopupMenu() const { return m_popupMenu; }
    QTabWidget* pageControl() const { return m_pageControl; }
    QScrollArea* scrollBox(int page) const { return page == 1 ? m_scrollBox1 : m_scrollBox2; }
    QLabel* image(int page) const { return page == 1 ? m_image1 : m_image2; }
    QCheckBox* wykreskujPusteCheckBox() const { return m_wykreskujPuste; }
    QCheckBox* printNoDotsCheckBox() const { return m_printNoDots; }
    QCheckBox* cbWordWrap() const { return m_wordWrap; }
    QTimer* aktualizacjaTimer() const { return m_aktualizacjaTimer; }
    QTimer* backupTimer() const { return m_backupTimer; }

    template <class Window>
    Window* programWindow() const {
        return findChild<Window*>(QString(), Qt::FindDirectChildrenOnly);
    }

    void vFunSetWindowTitle();
    void vFunUpdatePopupMenu();
    // The pupil name (pupil = true) or the document caption of the tree selection; "" if none.
    QString strFunGetSelectedText(bool pupil) const;

    // True once the window has accepted a close request: the program is ending.
    bool hasClosed() const { return m_closed; }

    // The pupil and document models, alive for the whole run.
    FormRegistry& forms() { return *m_forms; }
    // The pupils of the working database as last read, in store order.
    StudentList& studentList() { return m_students; }
    // Re-reads the pupils of the working database and rebuilds the tree from them.
    bool bFunReloadStudentList();
    // Rebuilds the tree from studentList(), sorted, with nothing selected.
    void vFunBuildStudentTree();
    // Loads the pupil stored in `table` into every form.
    bool bFunLoadStudentData(const QString& table);
    bool savePupil(const QString& replacedTable, const QString& failureLead) override;
    // The save of a document form's OK: the pupil the forms hold, under its own table.
    bool bFunSaveStudentData();

public slots:
    void NowyPlikToolButtonClick();
    void OtworzPlikToolButtonClick();
    void Importuj1Click();
    void ImportStudentsSP13ButtonClick();
    void Odyskajdanezkopiizapasowej1Click();
    void Zapisz1Click();
    void Zapiszjako1Click();
    void Szablondanychszkoy1Click();
    void Koniec1Click();
    void DodajUczniaToolButtonClick();
    void EdytujDaneUczniaToolButtonClick();
    void UsunUczniaToolButtonClick();
    void EdytujSwiadectwoToolButtonClick();
    void DrukujToolButtonClick();
    void Formatowaniewiadectwapodstawowe1Click();
    void Ustawieniaczcionki1Click();
    void Eksportujustawieniakalibracji1Click();
    void Importujustawieniakalibracji1Click();
    void Oprogramie1Click();
    void Sprawdczyjestnowawersja1Click();
    void Instrukcjaobsugi1Click();
    void KontaktButtonClick();
    void Logiprogramu1Click();
    void WykreskujPusteCheckBoxClick();
    void PrintNoDotsCheckBoxClick();
    void cbWordWrapClick();
    void TreeViewClick();
    void AktualizacjaTimerTimer();
    void BackupTimerTimer();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolBar();
    void buildMenus();
    void buildCentralArea();
    void buildTimers();
    QAction* addCommand(QMenu* menu, const MenuEntry& entry);
    void writeSwitch(const char* key, const QCheckBox* box);
    bool wheelScrollsPages(const QWheelEvent& event, QWidget* receiver) const;
    bool FormMouseWheel(const QWheelEvent& event);

    MainWindowState m_state;
    std::unique_ptr<FormRegistry> m_forms;
    StudentList m_students;
    FileDialogRequest m_saveDialog;
    FileDialogRequest m_openDialog;
    bool m_closed = false;

    QStatusBar* m_statusBar = nullptr;
    QTreeWidget* m_treeView = nullptr;
    QMenu* m_popupMenu = nullptr;
    std::vector<std::pair<QAction*, SelectionNeed>> m_popupActions;
    QTabWidget* m_pageControl = nullptr;
    QScrollArea* m_scrollBox1 = nullptr;
    QScrollArea* m_scrollBox2 = nullptr;
    QLabel* m_image1 = nullptr;
    QLabel* m_image2 = nullptr;
    QCheckBox* m_wykreskujPuste = nullptr;
    QCheckBox* m_printNoDots = nullptr;
    QCheckBox* m_wordWrap = nullptr;
    QTimer* m_aktualizacjaTimer = nullptr;
    QTimer* m_backupTimer = nullptr;
};
