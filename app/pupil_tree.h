#pragma once

#include <QString>

#include "storage/pupil_store.h"

class QTreeWidget;
class QTreeWidgetItem;

// The pupil tree's nodes. A pupil node carries its pupil's table name besides the display
// name, so pupils sharing a name stay apart; document nodes carry only their caption.

// Empties the tree, then adds one node per pupil in the order given, each with the documents
// of the tree in their fixed order. Nothing is selected afterwards.
void vFunFillPupilTree(QTreeWidget& tree, const StudentList& pupils);

// The table of the pupil a node belongs to ("" for none).
QString pupilTableOf(const QTreeWidgetItem* node);
// The table of the pupil of the selected node; "" when nothing is selected.
QString selectedPupilTable(const QTreeWidget& tree);

// The document node `caption` under the pupil node of `table`; nullptr when either is absent.
QTreeWidgetItem* findDocumentNode(const QTreeWidget& tree, const QString& table,
                                  const QString& caption);
