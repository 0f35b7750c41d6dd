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
#include "memo_edit.h"
#include "pupil_saver.h"

namespace {

const char* const kTabCaptions[] = {"Strona 1", "Strona2"};

// The input widgets lie on the page like handwriting on the form: no frame, and a pale tint
// that lets the dotted line show through.
void giveFieldLook(QWidget* widget, const FieldPlacement& placement, const DocumentPageView& page) {
    if (placement.font.pixelSize() > 0) {
        QFont font = placement.font;
        font.setPixelSize(std::max(1, int(std::lround(font.pixelSize() * page.verticalScale()))));
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
    if (auto* memo = qobject_cast<MemoEdit*>(widget)) {
        memo->setFrameShape(QFrame::NoFrame);
        memo->setLinePitch(placement.linePitch * page.verticalScale());
    }
}

// A field as narrow as one letter of the printed face ("a" after "uczęszczał") still has to
// show that letter past the line edit's inner margins, so it grows to the right by what those
// take, no further: the next word of the face follows closely.
QRect fieldGeometry(const QWidget* widget, const QRectF& pageRect, const DocumentPageView& page) {
    QRect rect = page.toView(pageRect);
    const int narrowest = widget->fontMetrics().averageCharWidth() + 4;
    if (rect.width() < narrowest) rect.setWidth(narrowest);
    return rect;
}

}  // namespace

DocumentWindow::DocumentWindow(FormModel& form, const QString& title, const DocumentLayout& layout,
                               AcceptAction acceptAction, QWidget* parent,
                               const DocumentWindowShape& shape)
    : QDialog(parent),
      m_form(form),
      m_accept(std::move(acceptAction)),
      m_shape(shape),
      m_binder(new ComponentBinder(form, this)) {
    setObjectName(form.windowName().mid(1));
    setWindowTitle(title);

    auto* layoutBox = new QVBoxLayout(this);
    layoutBox->setContentsMargins(0, 0, 0, 0);
    layoutBox->setSpacing(0);
    layoutBox->addWidget(buildPages(m_shape.tabs ? std::clamp(layout.sides, 1, 2) : 1), 1);
    layoutBox->addWidget(buildBottomPanel());
    if (m_shape.fixedHeight > 0)
        setFixedSize(m_shape.width, m_shape.fixedHeight);
    else
        setFixedWidth(m_shape.width);
    setDocumentLayout(layout);
}

QWidget* DocumentWindow::buildPages(int sides) {
    if (m_shape.fixedHeight > 0) {  // one page, stretched over the window
        auto* page = new DocumentPageView(this);
        page->setObjectName(QStringLiteral("Strona1Page"));
        m_pageViews.append(page);
        watchWheel(page);
        return page;
    }
    QTabWidget* tabs = nullptr;
    if (m_shape.tabs) {
        tabs = m_pageControl = new QTabWidget(this);
        m_pageControl->setObjectName(QStringLiteral("PageControl"));
    }
    for (int side = 1; side <= sides; ++side) {
        auto* box = new QScrollArea(tabs ? static_cast<QWidget*>(tabs) : this);
        box->setObjectName(QStringLiteral("ScrollBox%1").arg(side));
        box->setFrameShape(QFrame::NoFrame);
        box->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        auto* page = new DocumentPageView(box);
        page->setObjectName(QStringLiteral("Strona%1Page").arg(side));
        box->setWidget(page);
        if (tabs) tabs->addTab(box, QString::fromUtf8(kTabCaptions[side - 1]));
        m_scrollBoxes.append(box);
        m_pageViews.append(page);
        watchWheel(box->viewport());
        watchWheel(box->verticalScrollBar());
        watchWheel(page);
    }
    if (!tabs) return m_scrollBoxes.first();
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
    auto* panel = m_bottomPanel = new QWidget(this);
    panel->setObjectName(QStringLiteral("BottomPanel"));
    auto* row = m_bottomRow = new QHBoxLayout(panel);
    QList<QPushButton*> buttons;
    if (!m_shape.templateButtonText.isEmpty()) {
        auto* templateButton = new QPushButton(m_shape.templateButtonText, panel);
        templateButton->setObjectName(m_shape.templateButtonName);
        connect(templateButton, &QPushButton::clicked, this, &DocumentWindow::SzablonDanychButtonClick);
        row->addWidget(templateButton);
        buttons << templateButton;
    }
    auto* ok = new QPushButton(QStringLiteral("OK"), panel);
    ok->setObjectName(QStringLiteral("OKButton"));
    auto* cancel = new QPushButton(QStringLiteral("Anuluj"), panel);
    cancel->setObjectName(QStringLiteral("AnulujButton"));
    buttons << ok << cancel;
    // Enter in a field must not press a button: the template would overwrite the school
    // fields, OK would save half-typed values.
    for (QPushButton* button : std::as_const(buttons)) button->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &DocumentWindow::OKButtonClick);
    connect(cancel, &QPushButton::clicked, this, &DocumentWindow::AnulujButtonClick);

    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return panel;
}

void DocumentWindow::setDocumentLayout(const DocumentLayout& layout) {
    for (int side = 1; side <= m_pageViews.size(); ++side) {
        DocumentPageView* page = m_pageViews.at(side - 1);
        if (m_shape.fixedHeight > 0) {
            const int panelHeight = m_bottomPanel->sizeHint().height();
            page->setArea(layout.usedArea,
                          QSize(m_shape.width, std::max(1, m_shape.fixedHeight - panelHeight)));
        } else {
            page->setArea(DocumentPageView::wholePage(),
                          DocumentPageView::sizeForWidth(m_shape.pageWidth));
        }
        page->setPage(layout.side[side - 1], layout.drawPage);
    }

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
    giveFieldLook(widget, placement, *page);
    widget->setGeometry(fieldGeometry(widget, placement.rect, *page));
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
    if (m_shape.opensAtTop) {
        for (QScrollArea* box : std::as_const(m_scrollBoxes)) box->verticalScrollBar()->setValue(0);
    }
    if (m_shape.fixedHeight > 0) return;
    const QScreen* shownOn = screen();
    if (!shownOn) return;
    const QRect available = shownOn->availableGeometry();
    setFixedSize(m_shape.width, std::max(available.height() - m_shape.screenReserve,
                                         minimumSizeHint().height()));
    QPoint topLeft = available.center() - rect().center();
    if (m_shape.top >= 0) topLeft.setY(available.top() + m_shape.top);
    move(topLeft);
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

DocumentWindow::AcceptAction savingWholePupil(PupilSaver& saver,
                                              std::function<QString()> currentTable) {
    return [&saver, currentTable = std::move(currentTable)](FormModel&) {
        return saver.savePupil(currentTable ? currentTable() : QString(),
                               QString::fromUtf8("Błąd zapisu danych.\n\n"));
    };
}
