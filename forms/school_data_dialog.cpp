#include "school_data_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

#include "component_binder.h"
#include "form_registry.h"
#include "school_template.h"
#include "school_template_layout.h"
#include "school_template_model.h"
#include "storage/error_stream.h"
#include "storage/paths.h"

namespace {

using school_template_layout::Item;
using school_template_layout::ItemKind;

// The tab's picture from the program's pictures; a white page when it is missing, so the
// fields stay usable.
QPixmap tabPicture(const char* name, int height) {
    ErrorStream err;
    const QString dir = strFunGetMainDirPath(err);
    QPixmap picture;
    if (!dir.isEmpty()) picture.load(dir + QStringLiteral("/grafika/") + QLatin1String(name));
    if (picture.isNull()) {
        picture = QPixmap(school_template_layout::kPictureWidth, height);
        picture.fill(Qt::white);
    }
    return picture;
}

}  // namespace

TFDaneSzkoly::TFDaneSzkoly(FormRegistry& forms, QWidget* parent)
    : QDialog(parent),
      m_forms(forms),
      m_template(forms.schoolTemplate()),
      m_binder(new ComponentBinder(m_template, this)) {
    setObjectName(QStringLiteral("FDaneSzkoly"));
    setWindowTitle(QStringLiteral("Szablon danych"));

    auto* pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("PageControl"));
    using namespace school_template_layout;
    pages->addTab(buildTab(kCertificatePicture, kCertificateHeight, kCertificateItems,
                           int(std::size(kCertificateItems))),
                  QString::fromUtf8("Szablon danych szkoły"));
    pages->addTab(buildTab(kGradeSheetPicture, kGradeSheetHeight, kGradeSheetItems,
                           int(std::size(kGradeSheetItems))),
                  QString::fromUtf8("Szablon strony głównej arkusza ocen"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages, 1);
    layout->addWidget(buildBottomPanel());
}

QWidget* TFDaneSzkoly::buildTab(const char* picture, int height, const Item* items, int itemCount) {
    auto* box = new QScrollArea(this);
    box->setFrameShape(QFrame::NoFrame);
    box->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    auto* page = new QLabel(box);
    page->setPixmap(tabPicture(picture, height));
    page->setFixedSize(page->pixmap().size());

    QFont fieldFont = font();
    fieldFont.setPixelSize(school_template_layout::kFieldHeight - 8);
    for (int i = 0; i < itemCount; ++i) {
        const Item& item = items[i];
        if (item.kind != ItemKind::Field) continue;
        QWidget* field = m_binder->bind(m_template.indexOf(QString::fromLatin1(item.text)), page);
        if (!field) continue;
        // Like handwriting on the form: no frame, a pale tint that lets the dotted line show.
        if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->setFrame(false);
        field->setFont(fieldFont);
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, QColor(255, 250, 205, 150));
        field->setPalette(palette);
        field->setGeometry(item.x, item.y - school_template_layout::kFieldHeight, item.width,
                           school_template_layout::kFieldHeight - 1);
    }
    box->setWidget(page);
    box->setMinimumSize(page->width() + 4, std::min(page->height() + 4, 620));
    return box;
}

QWidget* TFDaneSzkoly::buildBottomPanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("BottomPanel"));
    auto* load = new QPushButton(QString::fromUtf8("Wczytaj dane ze świadectwa / arkusza"), panel);
    load->setObjectName(QStringLiteral("LoadTemplateButton"));
    m_sources = new QComboBox(panel);
    m_sources->setObjectName(QStringLiteral("DocTypeComboBox"));
    for (const TemplateSource& source : templateSources()) m_sources->addItem(source.caption);
    auto* save = new QPushButton(QStringLiteral("Zapisz"), panel);
    save->setObjectName(QStringLiteral("OKButton"));
    auto* cancel = new QPushButton(QStringLiteral("Anuluj"), panel);
    cancel->setObjectName(QStringLiteral("AnulujButton"));
    // Enter in a field must not save half-typed values or overwrite them from a document.
    for (QPushButton* button : {load, save, cancel}) button->setAutoDefault(false);
    connect(load, &QPushButton::clicked, this, &TFDaneSzkoly::LoadTemplateButtonClick);
    connect(save, &QPushButton::clicked, this, &TFDaneSzkoly::OKButtonClick);
    connect(cancel, &QPushButton::clicked, this, &TFDaneSzkoly::AnulujButtonClick);

    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(load);
    row->addWidget(m_sources);
    row->addStretch();
    row->addWidget(save);
    row->addWidget(cancel);
    return panel;
}

void TFDaneSzkoly::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A window coming back from the task bar is not opened anew.
    if (!event->spontaneous()) FormShow();
}

void TFDaneSzkoly::FormShow() {
    vFunShowSchoolTemplate(this, m_template);
    m_sources->setCurrentIndex(0);
    m_atOpening.remember(m_template);
}

void TFDaneSzkoly::OKButtonClick() {
    // A failed save keeps the window open with the values typed, so nothing is lost.
    if (bFunSaveSchoolTemplate(this, m_template)) accept();
}

void TFDaneSzkoly::AnulujButtonClick() {
    reject();
}

void TFDaneSzkoly::reject() {
    vFunCloseWithoutOk(
        this, m_template, m_atOpening, [this] { OKButtonClick(); }, [this] { QDialog::reject(); });
}

void TFDaneSzkoly::LoadTemplateButtonClick() {
    const int chosen = m_sources->currentIndex();
    if (chosen < 0 || chosen >= templateSources().size()) return;
    if (const FormModel* source = m_forms.forModel(templateSources().at(chosen).formName))
        vFunCopyToTemplate(*source, m_template);
}
