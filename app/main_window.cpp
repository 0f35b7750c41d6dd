#include "main_window.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "app_info.h"
#include "calibration_command.h"
#include "closing.h"
#include "diagnostics/about_window.h"
#include "diagnostics/log_window.h"
#include "exchange/backup_commands.h"
#include "exchange/calibration_exchange_commands.h"
#include "file_commands.h"
#include "import_commands.h"
#include "forms/form_registry.h"
#include "forms/pupil_dialog_logic.h"
#include "forms/qt_prompter.h"
#include "forms/school_data_dialog.h"
#include "help_and_contact.h"
#include "pupil_commands.h"
#include "pupil_transfer.h"
#include "pupil_tree_widget.h"
#include "storage/settings_store.h"
#include "toolbar_icons.h"
#include "update_command.h"

namespace {

constexpr int kTreeWidth = 265;
constexpr QSize kToolButtonSize(46, 38);
constexpr QSize kToolIconSize(32, 32);
constexpr int kUpdateCheckIntervalMs = 1000;
constexpr int kBackupIntervalMs = 600000;

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

// A tab page holding a scroll box with a self-sizing picture of one printed page.
QWidget* previewPage(int page, QScrollArea*& scrollBox, QLabel*& image) {
    auto* sheet = new QWidget;
    sheet->setObjectName(QStringLiteral("TabSheet%1").arg(page));
    image = new QLabel;
    image->setObjectName(QStringLiteral("Image%1").arg(page));
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scrollBox = new QScrollArea(sheet);
    scrollBox->setObjectName(QStringLiteral("ScrollBox%1").arg(page));
    scrollBox->setWidgetResizable(false);
    scrollBox->setWidget(image);
    // The page stands centred on the same grey desk as the blank-form pictures around it.
    scrollBox->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette desk = scrollBox->palette();
    desk.setColor(QPalette::Window, QColor(0x8f, 0x93, 0x98));
    scrollBox->setPalette(desk);
    scrollBox->setBackgroundRole(QPalette::Window);
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scrollBox);
    return sheet;
}

// Widgets that scroll or step with the wheel themselves keep it.
bool hasOwnWheel(const QWidget* widget) {
    return qobject_cast<const QAbstractScrollArea*>(widget) ||
           qobject_cast<const QAbstractSlider*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget) || qobject_cast<const QComboBox*>(widget);
}

}  // namespace

TFGlowna::TFGlowna(QWidget* parent)
    : QMainWindow(parent), m_forms(std::make_unique<FormRegistry>()) {
    setObjectName(QStringLiteral("FGlowna"));
    setWindowIcon(programIcon());
    // Message boxes without a caption of their own carry the program's title, not the name
    // of the executable. (Not the application's display name: Qt would append that to every
    // window caption.)
    setUntitledBoxCaption(app_info::applicationTitle());
    m_saveDialog.defaultExtension = QStringLiteral("smrk");
    m_saveDialog.fileName = QStringLiteral("nowy");

    buildToolBar();
    buildCentralArea();
    buildMenus();
    buildTimers();
    resize(1100, 800);
}

TFGlowna::~TFGlowna() = default;

void TFGlowna::buildToolBar() {
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(kToolIconSize);
    bar->toggleViewAction()->setEnabled(false);
    addToolBar(Qt::TopToolBarArea, bar);

    bool first = true;
    auto separate = [&] {
        if (!first) bar->addSeparator();
        first = false;
    };
    for (const ToolButtonDefinition& item : toolButtons()) {
        separate();
        auto* button = new QToolButton(bar);
        button->setObjectName(utf8(item.objectName));
        button->setToolTip(utf8(item.hint));
        button->setIcon(toolBarIcon(item.icon));
        button->setIconSize(kToolIconSize);
        button->setFixedSize(kToolButtonSize);
        button->setAutoRaise(true);
        connect(button, &QToolButton::clicked, this, item.handler);
        bar->addWidget(button);
    }
    for (const CheckBoxDefinition& item : toolBarCheckBoxes()) {
        separate();
        auto* box = new QCheckBox(utf8(item.caption), bar);
        box->setObjectName(utf8(item.objectName));
        box->setChecked(item.checked);
        // `clicked` comes from the user only: setting the state from the settings at start
        // must not write it back.
        connect(box, &QCheckBox::clicked, this, item.handler);
        bar->addWidget(box);
    }
    m_wykreskujPuste = bar->findChild<QCheckBox*>(QStringLiteral("WykreskujPusteCheckBox"));
    m_printNoDots = bar->findChild<QCheckBox*>(QStringLiteral("PrintNoDotsCheckBox"));
    m_wordWrap = bar->findChild<QCheckBox*>(QStringLiteral("cbWordWrap"));
}

void TFGlowna::buildCentralArea() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("CentralArea"));

    m_statusBar = new QStatusBar(central);
    m_statusBar->setObjectName(QStringLiteral("StatusBar"));
    m_statusBar->setSizeGripEnabled(false);

    auto* tree = new PupilTreeWidget(central, [this] { TreeViewClick(); });
    m_treeView = tree;
    m_treeView->setObjectName(QStringLiteral("TreeView"));
    m_treeView->setFixedWidth(kTreeWidth);
    m_treeView->setHeaderHidden(true);
    m_treeView->setColumnCount(1);
    m_treeView->setSortingEnabled(false);
    m_treeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_treeView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_treeView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_treeView, &QTreeWidget::itemClicked, this, [this, tree] {
        tree->noteClickHandled();
        TreeViewClick();
    });

    m_popupMenu = new QMenu(this);
    m_popupMenu->setObjectName(QStringLiteral("TreeViewPopupMenu"));
    for (const MenuEntry& entry : treePopupEntries()) {
        QAction* action = addCommand(m_popupMenu, entry);
        if (action && entry.needs != SelectionNeed::Nothing) {
            m_popupActions.emplace_back(action, entry.needs);
        }
    }
    connect(m_treeView, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        vFunUpdatePopupMenu();
        m_popupMenu->popup(m_treeView->viewport()->mapToGlobal(at));
    });

    m_pageControl = new QTabWidget(central);
    m_pageControl->setObjectName(QStringLiteral("PageControl"));
    m_pageControl->addTab(previewPage(1, m_scrollBox1, m_image1), QStringLiteral("Strona 1"));
    m_pageControl->addTab(previewPage(2, m_scrollBox2, m_image2), QStringLiteral("Strona 2"));
    // The wheel anywhere over the window scrolls the pages (see eventFilter).
    qApp->installEventFilter(this);
    // A hidden tab is not laid out, so its scroll range is empty and the wheel could not move
    // it; the page coming into view takes over the position of the one it replaces.
    connect(m_pageControl, &QTabWidget::currentChanged, this, [this](int index) {
        QScrollBar* shown = (index == 0 ? m_scrollBox1 : m_scrollBox2)->verticalScrollBar();
        const QScrollBar* other = (index == 0 ? m_scrollBox2 : m_scrollBox1)->verticalScrollBar();
        shown->setValue(other->value());
    });

    auto* work = new QHBoxLayout;
    work->addWidget(m_treeView);
    work->addWidget(m_pageControl, 1);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(2, 0, 2, 2);
    layout->addWidget(m_statusBar);
    layout->addLayout(work, 1);
    setCentralWidget(central);
    // The arrow keys walk the class from the start, without a click into the tree first.
    m_treeView->setFocus();
}

void TFGlowna::buildMenus() {
    for (const MenuDefinition& item : mainMenus()) {
        QMenu* menu = menuBar()->addMenu(utf8(item.title));
        for (const MenuEntry& entry : item.entries) addCommand(menu, entry);
    }
}

QAction* TFGlowna::addCommand(QMenu* menu, const MenuEntry& entry) {
    if (!entry.text) {
        menu->addSeparator();
        return nullptr;
    }
    QAction* action = menu->addAction(utf8(entry.text));
    if (entry.shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
    connect(action, &QAction::triggered, this, entry.handler);
    return action;
}

void TFGlowna::buildTimers() {
    m_aktualizacjaTimer = new QTimer(this);
    m_aktualizacjaTimer->setObjectName(QStringLiteral("AktualizacjaTimer"));
    m_aktualizacjaTimer->setInterval(kUpdateCheckIntervalMs);
    connect(m_aktualizacjaTimer, &QTimer::timeout, this, &TFGlowna::AktualizacjaTimerTimer);

    m_backupTimer = new QTimer(this);
    m_backupTimer->setObjectName(QStringLiteral("BackupTimer"));
    m_backupTimer->setInterval(kBackupIntervalMs);
    connect(m_backupTimer, &QTimer::timeout, this, &TFGlowna::BackupTimerTimer);
    m_backupTimer->start();
}

QString TFGlowna::currentFilePath() const {
    return m_statusBar->currentMessage();
}

void TFGlowna::setCurrentFilePath(const QString& path) {
    if (path.isEmpty()) {
        m_statusBar->clearMessage();
    } else {
        m_statusBar->showMessage(path);
    }
    m_statusBar->repaint();
}

void TFGlowna::vFunSetWindowTitle() {
    setWindowTitle(app_info::mainWindowCaption());
}

QString TFGlowna::strFunGetSelectedText(bool pupil) const {
    const QList<QTreeWidgetItem*> selected = m_treeView->selectedItems();
    if (selected.isEmpty()) return QString();
    const QTreeWidgetItem* node = selected.first();
    if (node->childCount() > 0) return pupil ? node->text(0) : QString();
    if (pupil) return node->parent() ? node->parent()->text(0) : QString();
    return node->text(0);
}

bool TFGlowna::bFunReloadStudentList() {
    return bFunReloadPupilList(*this);
}

void TFGlowna::vFunBuildStudentTree() {
    vFunBuildPupilTree(*this);
}

bool TFGlowna::bFunLoadStudentData(const QString& table) {
    return bFunLoadPupil(*this, table);
}

bool TFGlowna::savePupil(const QString& replacedTable, const QString& failureLead) {
    return bFunSavePupil(*this, replacedTable, failureLead);
}

bool TFGlowna::bFunSaveStudentData() {
    return savePupil(m_forms->pupilTable(), kPupilAddFailedLead);
}

void TFGlowna::vFunUpdatePopupMenu() {
    const bool pupilSelected = !strFunGetSelectedText(true).isEmpty();
    const bool documentSelected = !strFunGetSelectedText(false).isEmpty();
    for (const auto& [action, needs] : m_popupActions) {
        action->setEnabled(needs == SelectionNeed::Pupil ? pupilSelected : documentSelected);
    }
}

void TFGlowna::closeEvent(QCloseEvent* event) {
    // FormClose
    if (bFunMayCloseMainWindow(*this)) {
        m_closed = true;
        event->accept();
    } else {
        event->ignore();
    }
}

bool TFGlowna::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this &&
        wheelScrollsPages(*static_cast<QWheelEvent*>(event), static_cast<QWidget*>(watched))) {
        return FormMouseWheel(*static_cast<QWheelEvent*>(event));
    }
    return QMainWindow::eventFilter(watched, event);
}

// The pages take the wheel wherever the mouse is over the window, except over a widget that
// scrolls by itself (the tree, a list). The decision follows the widget under the mouse, not
// the receiver: a wheel the tree cannot use any more travels on to its parents.
bool TFGlowna::wheelScrollsPages(const QWheelEvent& event, QWidget* receiver) const {
    QWidget* under = childAt(mapFromGlobal(event.globalPosition().toPoint()));
    if (!under) under = receiver;
    if (under == m_scrollBox1 || under == m_scrollBox2 || m_scrollBox1->isAncestorOf(under) ||
        m_scrollBox2->isAncestorOf(under))
        return true;
    for (const QWidget* w = under; w && w != this; w = w->parentWidget()) {
        if (hasOwnWheel(w)) return false;
    }
    return true;
}

// Both pages scroll together by the wheel's delta. The event is then consumed, or the page
// under the mouse would scroll a second time by itself.
bool TFGlowna::FormMouseWheel(const QWheelEvent& event) {
    const int delta = event.angleDelta().y();
    if (delta == 0) return false;
    for (QScrollArea* box : {m_scrollBox1, m_scrollBox2}) {
        QScrollBar* bar = box->verticalScrollBar();
        bar->setValue(bar->value() - delta);
    }
    return true;
}

void TFGlowna::writeSwitch(const char* key, const QCheckBox* box) {
    // A failed write only means the switch starts as before next time.
    bFunSqlSettingWriteValue(m_state.err, utf8(key), box->isChecked() ? 1 : 0);
    TreeViewClick();
}

void TFGlowna::NowyPlikToolButtonClick() {
    runNewFileCommand(*this);
}

void TFGlowna::OtworzPlikToolButtonClick() {
    runOpenFileCommand(*this);
}

void TFGlowna::Importuj1Click() {
    runSrkImportCommand(*this);
}

void TFGlowna::ImportStudentsSP13ButtonClick() {
    runGrades13ImportCommand(*this);
}

void TFGlowna::Odyskajdanezkopiizapasowej1Click() {
    runBackupRecoveryCommand(this, m_state.err, m_saveDialog, m_state.backupChosen,
                             m_state.chosenBackupPath);
}

void TFGlowna::Zapisz1Click() {
    runSaveCommand(*this);
}

void TFGlowna::Zapiszjako1Click() {
    runSaveAsCommand(*this);
}

void TFGlowna::Szablondanychszkoy1Click() {
    if (auto* schoolData = programWindow<TFDaneSzkoly>()) schoolData->exec();
}

void TFGlowna::Koniec1Click() {
    // The closing questions are asked even when an update had asked the program to end.
    m_state.quit = false;
    close();
}

void TFGlowna::DodajUczniaToolButtonClick() {
    vFunAddPupil(*this);
}

void TFGlowna::EdytujDaneUczniaToolButtonClick() {
    vFunEditPupilData(*this);
}

void TFGlowna::UsunUczniaToolButtonClick() {
    vFunDeletePupil(*this);
}

void TFGlowna::EdytujSwiadectwoToolButtonClick() {
    vFunEditDocument(*this);
}

void TFGlowna::DrukujToolButtonClick() {
    vFunPrintDocument(*this);
}

void TFGlowna::Formatowaniewiadectwapodstawowe1Click() {
    vFunShowCalibrationDialog(*this, false);
}

void TFGlowna::Ustawieniaczcionki1Click() {
    vFunShowCalibrationDialog(*this, true);
}

void TFGlowna::Eksportujustawieniakalibracji1Click() {
    runCalibrationExportCommand(this, m_state.err);
}

void TFGlowna::Importujustawieniakalibracji1Click() {
    // The editing windows place their fields by the calibration.
    if (runCalibrationImportCommand(this, m_state.err)) vFunRebuildEditingWindows(*this);
}

void TFGlowna::Oprogramie1Click() {
    if (auto* about = programWindow<TFOProgramie>()) about->exec();
}

void TFGlowna::Sprawdczyjestnowawersja1Click() {
    vFunUpdateCheck(*this, false);
}

void TFGlowna::Instrukcjaobsugi1Click() {
    bFunOpenHelp();
}

void TFGlowna::KontaktButtonClick() {
    bFunOpenContactPage(m_state.err);
}

void TFGlowna::Logiprogramu1Click() {
    if (auto* logs = programWindow<TFLogi>()) logs->exec();
}

void TFGlowna::WykreskujPusteCheckBoxClick() {
    writeSwitch("strike_empty_fields", m_wykreskujPuste);
}

void TFGlowna::PrintNoDotsCheckBoxClick() {
    writeSwitch("print_without_dots", m_printNoDots);
}

void TFGlowna::cbWordWrapClick() {
    writeSwitch("word_wrap", m_wordWrap);
}

void TFGlowna::TreeViewClick() {
    vFunTreeClick(*this);
}

void TFGlowna::AktualizacjaTimerTimer() {
    m_aktualizacjaTimer->stop();
    // The update window, shown here, may ask the program to end.
    vFunShowUpdateWindow(*this);
    if (m_state.quit) close();
}

void TFGlowna::BackupTimerTimer() {
    runBackupTimerTick(this, m_state.err);
}
