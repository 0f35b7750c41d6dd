#pragma once

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

#include "app/main_window.h"
#include "forms/pupil_dialog.h"
#include "forms/pupil_model.h"
#include "storage/error_stream.h"
#include "storage/field_record.h"
#include "storage/paths.h"
#include "storage/pupil_store.h"

// Pupils in the test's working database and the user's hand on the tree and the pupil dialog.

inline QString workingDatabase() {
    ErrorStream err;
    return strFunGetTmpFilePath(err);
}

inline FieldRecord pupilField(const QString& component, const QString& value) {
    return FieldRecord::make(QStringLiteral("DANE UCZNIA"), component, value);
}

// A pupil's personal data as the pupil dialog stores them, plus `more`.
inline RecordList pupilRecords(const QString& surname, const QString& firstName,
                               const QString& pesel, const RecordList& more = {}) {
    RecordList records{
        pupilField(PupilModel::kSurname, surname), pupilField(PupilModel::kFirstName, firstName),
        pupilField(PupilModel::kSex, PupilModel::kFemale), pupilField(PupilModel::kPesel, pesel)};
    records.append(more);
    return records;
}

// Writes the pupil's table (the working database is created when absent).
inline void storePupil(const QString& table, const RecordList& records) {
    ErrorStream err;
    QVERIFY2(iFunCheckIsStudentExists(err, workingDatabase(), table, true) == 0,
             qPrintable(err.text()));
    QVERIFY2(bFunSaveCertData(err, workingDatabase(), table, records), qPrintable(err.text()));
}

// Records as comparable text, so a failed comparison shows which record differs.
inline QStringList rows(const RecordList& records) {
    QStringList out;
    for (const FieldRecord& r : records)
        out << r.id + QLatin1Char('|') + r.compName + QLatin1Char('|') + r.value;
    return out;
}

// The rows of a pupil's table, as rows() writes them.
inline QStringList storedRows(const QString& table) {
    ErrorStream err;
    RecordList records;
    if (!bFunLoadCertData(err, workingDatabase(), table, records))
        qWarning("%s", qPrintable(err.text()));
    return rows(records);
}

inline bool tableExists(const QString& table) {
    ErrorStream err;
    return iFunCheckIsStudentExists(err, workingDatabase(), table, false) == 1;
}

inline QStringList nodeTexts(const QTreeWidgetItem* parent) {
    QStringList texts;
    for (int i = 0; i < parent->childCount(); ++i) texts << parent->child(i)->text(0);
    return texts;
}

inline QStringList pupilNames(const QTreeWidget& tree) {
    return nodeTexts(tree.invisibleRootItem());
}

// The document node `caption` under the `pupil`-th pupil node; nullptr if absent.
inline QTreeWidgetItem* documentNode(const QTreeWidget& tree, int pupil, const QString& caption) {
    QTreeWidgetItem* node = tree.topLevelItem(pupil);
    if (!node) return nullptr;
    for (int i = 0; i < node->childCount(); ++i) {
        if (node->child(i)->text(0) == caption) return node->child(i);
    }
    return nullptr;
}

// A left click on the node as the user makes it, so the tree's own signal runs the command.
inline void clickNode(TFGlowna& main, QTreeWidgetItem* node) {
    QVERIFY(node);
    QTreeWidget* tree = main.treeView();
    if (!main.isVisible()) {
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
    }
    if (node->parent()) tree->expandItem(node->parent());
    tree->scrollToItem(node);
    const QRect area = tree->visualItemRect(node);
    QVERIFY(area.isValid());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, area.center());
}

// Plays the user at the modal pupil dialog once it opens: `act` looks at or changes the pupil
// model, then OK is pressed (or "Anuluj" when `pressOk` is false). A dialog that stays open
// after OK (a refused value) is cancelled, so the test fails instead of hanging.
inline void whenPupilDialogOpens(TFGlowna& main,
                                 std::function<void(TFDaneUcznia&, PupilModel&)> act,
                                 bool pressOk = true) {
    QTimer::singleShot(0, &main, [&main, act, pressOk] {
        auto* dialog = main.programWindow<TFDaneUcznia>();
        if (!dialog || !dialog->isVisible()) {
            qWarning("the pupil dialog did not open");
            return;
        }
        act(*dialog, main.forms().pupil());
        const char* button = pressOk ? "OKButton" : "AnulujButton";
        dialog->findChild<QPushButton*>(QString::fromLatin1(button))->click();
        if (dialog->isVisible()) {
            qWarning("the pupil dialog refused its values");
            dialog->done(QDialog::Rejected);
        }
    });
}

// Fills the pupil dialog with a new pupil's required values.
inline std::function<void(TFDaneUcznia&, PupilModel&)> newPupil(const QString& surname,
                                                                const QString& firstName,
                                                                const QString& pesel) {
    return [=](TFDaneUcznia&, PupilModel& pupil) {
        pupil.setText(PupilModel::kSurname, surname);
        pupil.setText(PupilModel::kFirstName, firstName);
        pupil.setSelectedIndex(PupilModel::kSex, 0);
        pupil.setText(PupilModel::kPesel, pesel);
    };
}
