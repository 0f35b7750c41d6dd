#pragma once

#include <QList>
#include <QString>

#include <memory>
#include <vector>

#include "storage/field_record.h"

class FormModel;
class PupilModel;

// The pupil model and the 21 document models, alive for the whole run, in the order in which
// a pupil is saved and loaded (pupil data first, so documents copy the pupil's own data).
class FormRegistry {
public:
    FormRegistry();
    ~FormRegistry();
    FormRegistry(const FormRegistry&) = delete;
    FormRegistry& operator=(const FormRegistry&) = delete;

    PupilModel& pupil() const { return *m_pupil; }
    // Exact window name ("TFKlasa4a", "TFDaneUcznia"); nullptr when unknown.
    FormModel* forModel(const QString& windowName) const;
    // Exact document id; nullptr when unknown.
    FormModel* forDocumentId(const QString& documentId) const;
    const QList<FormModel*>& saveOrder() const { return m_saveOrder; }
    // The school-data template: program-wide, so it is in no save order and never stored
    // with a pupil, and clearing the pupil's forms leaves it alone.
    FormModel& schoolTemplate() const { return *m_schoolTemplate; }

    // Empties `records`, then appends every model's records in save order.
    bool collectAll(RecordList& records) const;
    // Applies `records` to every model in save order.
    void applyAll(const RecordList& records);
    // Applies a pupil loaded from `table`; the table name supplies a PESEL the records lack
    // (see vFunSupplyPeselFromTable), and `records` then holds what was applied. The forms
    // then belong to `table`.
    void applyPupil(RecordList& records, const QString& table);
    // Every document, then the pupil model; the forms then belong to no pupil.
    void clearAll();

    // The table of the pupil whose values the models hold; "" when they hold none (after a
    // clear). Kept here, beside the values, so that clearing them forgets it on every path:
    // a save under a stale table would replace a stored pupil with empty forms.
    const QString& pupilTable() const { return m_pupilTable; }
    // The pupil the models hold was just saved under `table`.
    void setPupilTable(const QString& table) { m_pupilTable = table; }

private:
    std::vector<std::unique_ptr<FormModel>> m_models;
    PupilModel* m_pupil = nullptr;
    QList<FormModel*> m_saveOrder;
    std::unique_ptr<FormModel> m_schoolTemplate;
    QString m_pupilTable;
};
