#pragma once

#include <QTreeWidget>

#include <functional>

// The pupil tree. Every way the user selects a node, not only a left click, loads that pupil
// and shows the node's document, so the preview never shows another pupil than the one the
// commands act on. A left click runs the tree click through `itemClicked`; the keyboard, a drag
// and the right button (which selects the node under it before the pop-up menu opens) run it
// here. Selections the program makes itself (rebuilds, re-selection after an edit) pass by.
class PupilTreeWidget : public QTreeWidget {
public:
    PupilTreeWidget(QWidget* parent, std::function<void()> treeClick);

    // Set by the left click's handler, so a release that ends a click does not load twice.
    void noteClickHandled() { m_clickHandled = true; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const QTreeWidgetItem* selectedNode() const;

    std::function<void()> m_treeClick;
    const QTreeWidgetItem* m_beforePress = nullptr;
    bool m_clickHandled = false;
};
