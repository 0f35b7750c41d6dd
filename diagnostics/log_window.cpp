#include "log_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "forms/prompter.h"
#include "log_mail.h"
#include "storage/log_reader.h"

namespace {

constexpr int kPanelHeight = 41;

}  // namespace

TFLogi::TFLogi(ErrorStream& err, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_err(err) {
    setObjectName(QStringLiteral("FLogi"));
    setWindowTitle(QStringLiteral("Logi programu"));
    setFixedSize(799, 450);
    setModal(true);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("LogsListView"));
    m_list->setHeaderLabels({QStringLiteral("Data / czas"), QStringLiteral("Funkcja"), QStringLiteral("Informacja")});
    // The longest time of day must stay readable in fonts wider than the one the width was
    // chosen for.
    const int dateWidth = m_list->fontMetrics().horizontalAdvance(QStringLiteral("2014.12.31 23:59:59")) + 12;
    m_list->setColumnWidth(0, std::max(100, dateWidth));
    m_list->setColumnWidth(1, 120);
    m_list->setColumnWidth(2, 550);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setAlternatingRowColors(true);  // a message of several lines stays one row to the eye
    m_list->header()->setSectionsMovable(false);

    auto* send = new QPushButton(QStringLiteral("Wyślij plik z logami"), this);
    send->setObjectName(QStringLiteral("BitBtn2"));
    send->setAutoDefault(false);
    connect(send, &QPushButton::clicked, this, &TFLogi::BitBtn2Click);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TFLogi::BitBtn1Click);

    auto* panel = new QWidget(this);
    panel->setFixedHeight(kPanelHeight);
    auto* buttons = new QHBoxLayout(panel);
    buttons->setContentsMargins(8, 0, 8, 0);
    buttons->addWidget(send);
    buttons->addStretch();
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_list);
    layout->addWidget(panel);
}

void TFLogi::BitBtn1Click() {
    accept();
}

void TFLogi::BitBtn2Click() {
    if (bFunSendLogFile(m_err)) return;
    prompter().message(this, QStringLiteral("Błąd podczas próby wysłania maila"), QStringLiteral("Błąd"),
                       PromptIcon::Error, PromptButtons::Ok);
}

void TFLogi::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
    if (const QScreen* current = screen()) move(current->availableGeometry().center() - rect().center());
}

void TFLogi::FormShow() {
    m_list->clear();
    // No log yet, or one that cannot be read (the reader has logged why): an empty list.
    QList<LogEntry> entries;
    if (!bFunSqlGetLogsData(m_err, entries)) return;
    QList<QTreeWidgetItem*> rows;
    rows.reserve(entries.size());
    for (const LogEntry& entry : entries) {
        auto* row = new QTreeWidgetItem({entry.datetime, entry.fun, entry.info});
        for (int column = 0; column < row->columnCount(); ++column) {
            row->setTextAlignment(column, Qt::AlignLeft | Qt::AlignTop);
            row->setToolTip(column, row->text(column));  // the whole text where the column cuts it off
        }
        rows.append(row);
    }
    m_list->addTopLevelItems(rows);
}
