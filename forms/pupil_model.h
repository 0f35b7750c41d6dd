#pragma once

#include "field_model.h"

// The pupil's personal data (the pupil dialog's components, stored under "DANE UCZNIA").
// Documents copy from it when they are applied, so it is always applied first.
class PupilModel : public FormModel {
    Q_OBJECT
public:
    static const QString kWindowName;
    static const QString kSurname;
    static const QString kFirstName;
    static const QString kSex;
    static const QString kBirthDay;
    static const QString kBirthYear;
    static const QString kBirthTown;
    static const QString kBirthProvince;
    static const QString kRegisterNumber;
    static const QString kPesel;

    static const QString kFemale;
    static const QString kMale;

    explicit PupilModel(QObject* parent = nullptr);

    // Keeps year, town and province of birth for the next pupil; no sex selected.
    void vFunClearData() override;

    // The sex list's text "mężczyzna" counts as male; anything else, even none, as female.
    bool isMale() const;

protected:
    void applyRecord(const FieldRecord& record) override;
};

// Files made by other tools may keep a pupil's PESEL only in the table name ("PESEL" + number).
// Gives such a pupil the number of its table, so the next save keeps the pupil in that table
// instead of moving it to "PESEL" (and over another pupil stored there).
void vFunSupplyPeselFromTable(RecordList& records, const QString& table);
