#include "backup_files_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "backup.h"
#include "forms/prompter.h"
#include "storage/error_stream.h"

namespace {

constexpr int kWidth = 376;
constexpr int kHeight = 407;
constexpr int kNameColumnWidth = 340;
constexpr int kButtonPanelHeight = 53;

}  // namespace

TFBackupFiles::TFBackupFiles(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_files(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("FBackupFiles"));
    setWindowTitle(QStringLiteral("Kopie bezpieczeństwa"));
    setFixedSize(kWidth, kHeight);
    setModal(true);

    m_files->setObjectName(QStringLiteral("lvFiles"));
    m_files->setHeaderLabels({QStringLiteral("Nazwa")});
    m_files->setColumnWidth(0, kNameColumnWidth);
    m_files->setRootIsDecorated(false);
    m_files->setItemsExpandable(false);
    m_files->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_files->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* recover = new QPushButton(QStringLiteral("Wczytaj z wybranego pliku"), this);
    recover->setObjectName(QStringLiteral("btnRecoverFromBackupFile"));
    connect(recover, &QPushButton::clicked, this, &TFBackupFiles::btnRecoverFromBackupFileClick);
    auto* cancel = new QPushButton(QStringLiteral("Anuluj"), this);
    cancel->setObjectName(QStringLiteral("BitBtn2"));
    connect(cancel, &QPushButton::clicked, this, &TFBackupFiles::BitBtn2Click);

    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFixedHeight(kButtonPanelHeight);
    auto* buttons = new QHBoxLayout(panel);
    buttons->addWidget(recover);
    buttons->addStretch();
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_files, 1);
    layout->addWidget(panel);
}

void TFBackupFiles::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TFBackupFiles::FormShow() {
    m_chosen = false;
    m_chosenPath.clear();
    m_files->clear();
    // Without a data directory there is no folder to list: the list stays empty.
    ErrorStream err;
    m_dir = strFunGetBackupDirPath(err);
    if (m_dir.isEmpty()) return;
    // Newest first: that is the copy a teacher looks for.
    for (const QString& name : backupEntryNames(m_dir))
        m_files->addTopLevelItem(new QTreeWidgetItem(QStringList{name}));
}

void TFBackupFiles::btnRecoverFromBackupFileClick() {
    const QList<QTreeWidgetItem*> selected = m_files->selectedItems();
    if (selected.isEmpty()) {
        prompter().message(this, QStringLiteral("Proszę wybrać plik"),
                           QStringLiteral("Brak wyboru"), PromptIcon::Warning, PromptButtons::Ok);
        return;
    }
    m_chosenPath = m_dir + selected.first()->text(0);
    m_chosen = true;
    accept();
}

void TFBackupFiles::BitBtn2Click() {
    reject();
}
