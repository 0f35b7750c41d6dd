#include "document_window.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <utility>

#include "component_binder.h"
#include "document_page_view.h"
#include "field_model.h"

namespace {

const char* const kTabCaptions[] = {"Strona 1", "Strona2"};
const int kScreenHeightReserve = 50;

// The input widgets lie on the page like handwriting on the form: no frame, and a pale tint
// that lets the dotted line show through.
void giveFieldLook(QWidget* widget, const FieldPlacement& placement) {
    if (placement.font.pixelSize() > 0) {
        QFont font = placement.font;
        font.setPixelSize(std::max(1, int(std::lround(font.pixelSize() * DocumentPageView::kScale))));
        widget->setFont(font);
    }
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, QColor(255, 250, 205, 150));
    // Copied pupil data is disabled, yet has to stay readable against the page.
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(90, 90, 90));
    widget->setPalette(palette);

    QLineEdit* edit = qobject_cast<QLineEdit*>(widget);
    if (auto* box = qobject_cast<QComboBox*>(widget)) {
        box->setFrame(false);
        edit = box->lineEdit();
    }
    if (edit) {
        edit->setFrame(false);
        edit->setAlignment(placement.alignment | Qt::AlignVCenter);
    }
}

// A field as narrow as one letter of the printed face ("a" after "uczęszczał") still has to
// show that letter past the line edit's inner margins, so it grows to the right by what those
// take, no further: the next word of the face follows closely.
QRect fieldGeometry(const QWidget* widget, const QRectF& pageRect) {
    QRect rect = DocumentPageView::toView(pageRect);
    const int narrowest = widget->fontMetrics().averageCharWidth() + 4;
    if (rect.width() < narrowest) rect.setWidth(narrowest);
    return rect;
}

}  // namespace

DocumentWindow::DocumentWindow(FormModel& form, const QString& title, const DocumentLayout& layout,
                               AcceptAction acceptAction, QWidget* parent)
    : QDialog(parent),
      m_form(form),
      m_accept(std::move(acceptAction)),
      m_binder(new ComponentBinder(form, this)) {
    setObjectName(form.windowName().mid(1));
    setWindowTitle(title);

    auto* layoutBox = new QVBoxLayout(this);
    layoutBox->setContentsMargins(0, 0, 0, 0);
    layoutBox->setSpacing(0);
    layoutBox->addWidget(buildPages(std::clamp(layout.sides, 1, 2)), 1);
    layoutBox->addWidget(buildBottomPanel());
    setDocumentLayout(layout);
    setFixedWidth(kWidth);
}

QWidget* DocumentWindow::buildPages(int sides) {
    m_pageControl = new QTabWidget(this);
    m_pageControl->setObjectName(QStringLiteral("PageControl"));
    for (int side = 1; side <= sides; ++side) {
        auto* box = new QScrollArea(m_pageControl);
        box->setObjectName(QStringLiteral("ScrollBox%1").arg(side));
        box->setFrameShape(QFrame::NoFrame);
        box->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        auto* page = new DocumentPageView(box);
        page->setObjectName(QStringLiteral("Strona%1Page").arg(side));
        box->setWidget(page);
        m_pageControl->addTab(box, QString::fromUtf8(kTabCaptions[side - 1]));
        m_scrollBoxes.append(box);
        m_pageViews.append(page);
        watchWheel(box->viewport());
        watchWheel(box->verticalScrollBar());
        watchWheel(page);
    }
    // A hidden tab is not laid out, so the wheel may have left it elsewhere; the page coming
    // into view takes over the position of the one it replaces.
    connect(m_pageControl, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_scrollBoxes.size() < 2) return;
        QScrollBar* shown = m_scrollBoxes.at(index)->verticalScrollBar();
        shown->setValue(m_scrollBoxes.at(1 - index)->verticalScrollBar()->value());
    });
    return m_pageControl;
}

QWidget* DocumentWindow::buildBottomPanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("BottomPanel"));
    auto* templateButton = new QPushButton(QString::fromUtf8("Wczytaj szablon danych szkoły"), panel);
    templateButton->setObjectName(QStringLiteral("SzablonDanychButton"));
    auto* ok = new QPushButton(QStringLiteral("OK"), panel);
    ok->setObjectName(QStringLiteral("OKButton"));
    auto* cancel = new QPushButton(QStringLiteral("Anuluj"), panel);
    cancel->setObjectName(QStringLiteral("AnulujButton"));
    // Enter in a field must not press a button: the template would overwrite the school
    // fields, OK would save half-typed values.
    for (QPushButton* button : {templateButton, ok, cancel}) button->setAutoDefault(false);
    connect(templateButton, &QPushButton::clicked, this, &DocumentWindow::SzablonDanychButtonClick);
    connect(ok, &QPushButton::clicked, this, &DocumentWindow::OKButtonClick);
    connect(cancel, &QPushButton::clicked, this, &DocumentWindow::AnulujButtonClick);

    auto* row = new QHBoxLayout(panel);
    row->addWidget(templateButton);
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return panel;
}

void DocumentWindow::setDocumentLayout(const DocumentLayout& layout) {
    for (int side = 1; side <= m_pageViews.size(); ++side)
        m_pageViews.at(side - 1)->setPage(layout.side[side - 1], layout.drawPage);

    QSet<int> placed;
    for (const FieldPlacement& placement : layout.fields) {
        const int index = m_form.indexOf(placement.name);
        if (index < 0 || placement.side < 1 || placement.side > m_pageViews.size()) continue;
        placeField(placement);
        placed.insert(index);
    }
    // A component the calibration no longer places keeps its value but leaves the page.
    for (int index = 0; index < m_form.componentCount(); ++index) {
        if (QWidget* widget = m_binder->widget(index); widget && !placed.contains(index)) widget->hide();
    }
}

void DocumentWindow::placeField(const FieldPlacement& placement) {
    const int index = m_form.indexOf(placement.name);
    DocumentPageView* page = m_pageViews.at(placement.side - 1);
    QWidget* widget = m_binder->widget(index);
    if (!widget) {
        widget = m_binder->bind(index, page);
        if (!widget) return;  // a label or another component without input
        watchWheel(widget);
    } else if (widget->parentWidget() != page) {
        widget->setParent(page);
    }
    giveFieldLook(widget, placement);
    widget->setGeometry(fieldGeometry(widget, placement.rect));
    widget->show();
}

void DocumentWindow::watchWheel(QWidget* widget) {
    widget->installEventFilter(this);
    // A combo box's own line edit receives the wheel first.
    for (QWidget* child : widget->findChildren<QWidget*>()) child->installEventFilter(this);
}

void DocumentWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A window coming back from the task bar is not opened anew.
    if (!event->spontaneous()) {
        FormShow();
        m_atOpening.remember(m_form);
    }
}

// The window is as tall as the screen allows at every showing; the screen may have changed.
void DocumentWindow::FormShow() {
    const QScreen* shownOn = screen();
    if (!shownOn) return;
    const QRect available = shownOn->availableGeometry();
    setFixedSize(kWidth, std::max(available.height() - kScreenHeightReserve, minimumSizeHint().height()));
    move(available.center() - rect().center());
}

bool DocumentWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) return FormMouseWheel(*static_cast<QWheelEvent*>(event));
    return QDialog::eventFilter(watched, event);
}

// Both pages scroll together by the wheel's delta. The event is consumed, so the page under
// the mouse does not scroll a second time and a grade under it does not change.
bool DocumentWindow::FormMouseWheel(const QWheelEvent& event) {
    const int delta = event.angleDelta().y();
    for (QScrollArea* box : std::as_const(m_scrollBoxes)) {
        QScrollBar* bar = box->verticalScrollBar();
        bar->setValue(bar->value() - delta);
    }
    return true;
}

void DocumentWindow::OKButtonClick() {
    if (m_accept && m_accept(m_form)) accept();
}

void DocumentWindow::AnulujButtonClick() {
    reject();
}

void DocumentWindow::reject() {
    vFunCloseWithoutOk(
        this, m_form, m_atOpening, [this] { OKButtonClick(); }, [this] { QDialog::reject(); });
}

void DocumentWindow::SzablonDanychButtonClick() {
    if (m_templateAction) m_templateAction(m_form);
}
