#pragma once

#include <QDialog>
#include <QList>
#include <QString>

#include "pupil_dialog_logic.h"
#include "unsaved_edits.h"

class ComponentBinder;
class ErrorStream;
class PupilModel;
class QShowEvent;
struct PupilSaver;

// The pupil's personal data: a view over the PupilModel, created once for the whole run. Its
// widgets carry the components' names and follow the model both ways.
class TFDaneUcznia : public QDialog {
    Q_OBJECT
public:
    TFDaneUcznia(PupilModel& pupil, PupilSaver& saver, ErrorStream& err, QWidget* parent = nullptr);

    // Set by the command that opens the dialog: adding a new pupil or editing the selected one,
    // whose table (edit mode) the save replaces.
    void setMode(PupilDialogMode mode) { m_mode = mode; }
    PupilDialogMode mode() const { return m_mode; }
    void setOldTableName(const QString& table) { m_oldTableName = table; }
    const QString& oldTableName() const { return m_oldTableName; }

    // "Anuluj", Escape and the title bar: asks before dropping changed values.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void OKButtonClick();
    void AnulujButtonClick();

private:
    void FormShow();

    PupilModel& m_pupil;
    PupilSaver& m_saver;
    ErrorStream& m_err;
    PupilDialogMode m_mode = PupilDialogMode::Add;
    QString m_oldTableName;
    ComponentBinder* m_binder;
    ValuesAtOpening m_atOpening;
    QList<QWidget*> m_widgets;  // in component order, for the tab order
};
