#include "about_window.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "storage/error_stream.h"
#include "storage/settings_store.h"

namespace {

constexpr int kIconSize = 48;

}  // namespace

TFOProgramie::TFOProgramie(const QString& programName, const QString& version, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("FOProgramie"));
    setWindowTitle(QStringLiteral("O programie"));
    setFixedSize(316, 282);
    setModal(true);

    auto* name = new QLabel(programName, this);
    name->setObjectName(QStringLiteral("ProgramNameLabel"));
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    name->setWordWrap(true);

    auto* versionLabel = new QLabel(QStringLiteral("wersja: ") + version, this);
    versionLabel->setObjectName(QStringLiteral("VersionLabel"));

    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("IconImage"));
    m_icon->setFixedSize(kIconSize, kIconSize);

    m_contact = new QLabel(this);
    m_contact->setObjectName(QStringLiteral("ContactLabel"));
    m_contact->setTextFormat(Qt::PlainText);
    m_contact->setWordWrap(true);
    m_contact->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_contact->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* close = new QPushButton(QStringLiteral("Zamknij"), this);
    close->setObjectName(QStringLiteral("ZamknijButton"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &TFOProgramie::ZamknijButtonClick);

    auto* layout = new QGridLayout(this);
    layout->addWidget(name, 0, 0);
    layout->addWidget(versionLabel, 1, 0);
    layout->addWidget(m_icon, 0, 1, 2, 1, Qt::AlignRight | Qt::AlignTop);
    layout->addWidget(m_contact, 2, 0, 1, 2);
    layout->setRowStretch(2, 1);
    layout->setColumnStretch(0, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons, 3, 0, 1, 2);
}

QString TFOProgramie::contactText() const {
    return m_contact->text();
}

void TFOProgramie::ZamknijButtonClick() {
    accept();
}

void TFOProgramie::showEvent(QShowEvent* event) {
    // An unreadable setting leaves the block empty; the reader has logged why.
    ErrorStream err;
    QString text;
    if (!bFunSqlGetSettingsValue(err, QStringLiteral("about_contact_text"), text)) text.clear();
    m_contact->setText(text);
    m_icon->setPixmap(QApplication::windowIcon().pixmap(kIconSize, kIconSize));
    QDialog::showEvent(event);
}
