#include "pupil_dialog_logic.h"

#include <QCollator>
#include <QLocale>
#include <QStringList>

#include <algorithm>

#include "forms/prompter.h"
#include "forms/pupil_model.h"
#include "forms/pupil_saver.h"
#include "storage/cp1250.h"
#include "storage/error_stream.h"
#include "storage/paths.h"
#include "storage/place_lists.h"
#include "storage/pupil_store.h"

const QString kPupilAddFailedLead = QStringLiteral("Błąd zapisu danych.\n\n");
const QString kPupilEditFailedLead =
    QStringLiteral("Błąd podczas próby zapisu danych do pliku, zmiany nie zostały zapisane.\n\n");

namespace {

const QString kMissingDataCaption = QStringLiteral("Brak danych");
const QString kErrorCaption = QStringLiteral("Błąd");

struct RequiredValue {
    const QString& component;
    const char* message;
};

bool isAsciiLetterOrDigit(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
}

bool isAllowedPesel(const QString& pesel) {
    return std::all_of(pesel.begin(), pesel.end(), isAsciiLetterOrDigit);
}

// Tells the user what is wrong with `component`, which then gets the focus.
PupilConfirmation refuse(const QString& component, const char* message, QWidget* parent) {
    prompter().message(parent, QString::fromUtf8(message), kMissingDataCaption, PromptIcon::Warning,
                       PromptButtons::Ok);
    return {false, component};
}

// The first character in upper case ("łukasz" -> "Łukasz"); kept as it is when its upper case
// could not be stored.
QString withCapitalInitial(const QString& text) {
    if (text.isEmpty()) return text;
    const QChar initial = text.at(0).toUpper();
    if (!cp1250::canEncode(initial)) return text;
    return initial + text.mid(1);
}

// "Tak" replaces another pupil's data, so Enter answers "Nie".
bool confirmOverwrite(QWidget* parent) {
    return prompter().message(
               parent,
               QStringLiteral("Uczeń o tym numerze PESEL już istnieje, czy chcesz nadpisać dane tego ucznia ?"),
               QStringLiteral("Zapis"), PromptIcon::Warning,
               PromptButtons::YesNoDefaultNo) == PromptAnswer::Yes;
}

void showError(const QString& lead, const ErrorStream& err, QWidget* parent) {
    prompter().message(parent, lead + err.text(), kErrorCaption, PromptIcon::Error, PromptButtons::Ok);
}

PupilConfirmation saveNewPupil(PupilModel& pupil, PupilSaver& saver, ErrorStream& err, QWidget* parent) {
    const int exists = iFunCheckIsStudentExists(err, strFunGetTmpFilePath(err), pupilTableName(pupil), true);
    if (exists < 0) {
        showError(kPupilAddFailedLead, err, parent);
        return {};
    }
    if (exists == 1 && !confirmOverwrite(parent)) return {};
    return {saver.savePupil(QString(), kPupilAddFailedLead), QString()};
}

PupilConfirmation saveEditedPupil(PupilModel& pupil, const QString& oldTable, PupilSaver& saver,
                                  ErrorStream& err, QWidget* parent) {
    const QString newTable = pupilTableName(pupil);
    // SQLite table names ignore letter case: "PESELab" and "PESELAB" are the same pupil.
    if (newTable.compare(oldTable, Qt::CaseInsensitive) != 0) {
        // The new number may belong to another pupil, whom the save would replace.
        const int exists = iFunCheckIsStudentExists(err, strFunGetTmpFilePath(err), newTable, false);
        if (exists < 0) {
            showError(kPupilEditFailedLead, err, parent);
            return {};
        }
        if (exists == 1 && !confirmOverwrite(parent)) return {};
    }
    return {saver.savePupil(oldTable, kPupilEditFailedLead), QString()};
}

QStringList sortedForReaders(QStringList names) {
    QCollator collator(QLocale(QLocale::Polish, QLocale::Poland));
    std::stable_sort(names.begin(), names.end(), collator);
    return names;
}

}  // namespace

QString pupilTableName(const PupilModel& pupil) {
    return QStringLiteral("PESEL") + pupil.text(PupilModel::kPesel);
}

PupilConfirmation confirmPupil(PupilModel& pupil, PupilDialogMode mode, const QString& oldTable,
                               PupilSaver& saver, ErrorStream& err, QWidget* parent) {
    // The places are remembered even when the pupil is not saved below.
    bFunStudentDataAddCity(err, pupil.text(PupilModel::kBirthTown));
    bFunStudentDataAddProvince(err, pupil.text(PupilModel::kBirthProvince));

    const RequiredValue required[] = {
        {PupilModel::kSurname, "Nazwisko ucznia jest wymagane"},
        {PupilModel::kFirstName, "Imię ucznia jest wymagane"},
        {PupilModel::kSex, "Płeć ucznia jest wymagana"},
    };
    for (const RequiredValue& value : required) {
        if (pupil.text(value.component).isEmpty()) return refuse(value.component, value.message, parent);
    }
    // The number names the pupil's table, so only letters and digits are allowed.
    if (!isAllowedPesel(pupil.text(PupilModel::kPesel))) {
        return refuse(PupilModel::kPesel, "Numer PESEL nie jest prawidłowy lub zawiera nie dozwolone znaki",
                      parent);
    }

    pupil.setText(PupilModel::kFirstName, withCapitalInitial(pupil.text(PupilModel::kFirstName)));
    pupil.setText(PupilModel::kSurname, withCapitalInitial(pupil.text(PupilModel::kSurname)));

    if (mode == PupilDialogMode::Edit) return saveEditedPupil(pupil, oldTable, saver, err, parent);
    return saveNewPupil(pupil, saver, err, parent);
}

void fillPlaceLists(PupilModel& pupil, ErrorStream& err, QWidget* parent) {
    QStringList towns;
    if (!bFunStudentDataLoadCityList(err, towns))
        showError(QStringLiteral("Błąd podczas próby wczytania listy miast.\n"), err, parent);
    pupil.setItems(PupilModel::kBirthTown, sortedForReaders(towns));

    QStringList provinces;
    if (!bFunStudentDataLoadProvinceList(err, provinces))
        showError(QStringLiteral("Błąd podczas próby wczytania listy województw.\n"), err, parent);
    pupil.setItems(PupilModel::kBirthProvince, sortedForReaders(provinces));
}
