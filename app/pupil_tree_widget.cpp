#include "pupil_tree_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <utility>

PupilTreeWidget::PupilTreeWidget(QWidget* parent, std::function<void()> treeClick)
    : QTreeWidget(parent), m_treeClick(std::move(treeClick)) {}

void PupilTreeWidget::keyPressEvent(QKeyEvent* event) {
    const QTreeWidgetItem* before = selectedNode();
    QTreeWidget::keyPressEvent(event);
    if (selectedNode() != before) m_treeClick();
}

void PupilTreeWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        // The pop-up menu acts on the node under the mouse; on empty space, on the selection
        // as it is.
        if (QTreeWidgetItem* node = itemAt(event->position().toPoint())) {
            setCurrentItem(node);
            m_treeClick();
        }
        event->accept();
        return;
    }
    m_beforePress = selectedNode();
    QTreeWidget::mousePressEvent(event);
}

void PupilTreeWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        mousePressEvent(event);
        return;
    }
    QTreeWidget::mouseDoubleClickEvent(event);
}

void PupilTreeWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    m_clickHandled = false;
    QTreeWidget::mouseReleaseEvent(event);
    // A press dragged onto another node selects it without a click.
    if (!m_clickHandled && event->button() == Qt::LeftButton && selectedNode() != m_beforePress &&
        selectedNode()) {
        m_treeClick();
    }
    m_beforePress = nullptr;
}

const QTreeWidgetItem* PupilTreeWidget::selectedNode() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}
