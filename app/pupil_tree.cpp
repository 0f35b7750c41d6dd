#include "pupil_tree.h"

#include <QTreeWidget>

#include "forms/document_types.h"

namespace {

constexpr int kTableRole = Qt::UserRole;

}  // namespace

void vFunFillPupilTree(QTreeWidget& tree, const StudentList& pupils) {
    tree.clear();
    QList<QTreeWidgetItem*> nodes;
    nodes.reserve(pupils.size());
    for (const StudentListEntry& pupil : pupils) {
        auto* node = new QTreeWidgetItem(QStringList{pupil.displayName});
        node->setData(0, kTableRole, pupil.tableName);
        for (const DocumentType* type : treeDocumentTypes())
            node->addChild(new QTreeWidgetItem(QStringList{type->caption}));
        nodes.append(node);
    }
    tree.addTopLevelItems(nodes);
    tree.setCurrentItem(nullptr);
    tree.clearSelection();
}

QString pupilTableOf(const QTreeWidgetItem* node) {
    if (!node) return QString();
    const QTreeWidgetItem* pupil = node->parent() ? node->parent() : node;
    return pupil->data(0, kTableRole).toString();
}

QString selectedPupilTable(const QTreeWidget& tree) {
    const QList<QTreeWidgetItem*> selected = tree.selectedItems();
    return selected.isEmpty() ? QString() : pupilTableOf(selected.first());
}

QTreeWidgetItem* findDocumentNode(const QTreeWidget& tree, const QString& table,
                                  const QString& caption) {
    for (int i = 0; i < tree.topLevelItemCount(); ++i) {
        QTreeWidgetItem* pupil = tree.topLevelItem(i);
        if (pupilTableOf(pupil) != table) continue;
        for (int j = 0; j < pupil->childCount(); ++j) {
            if (pupil->child(j)->text(0) == caption) return pupil->child(j);
        }
        return nullptr;
    }
    return nullptr;
}
