#include "pupil_model.h"

#include "document_ids.h"
#include "storage/clock.h"

const QString PupilModel::kWindowName = QStringLiteral("TFDaneUcznia");
const QString PupilModel::kSurname = QStringLiteral("Nazwisko_DATA_EDIT");
const QString PupilModel::kFirstName = QStringLiteral("Imie_DATA_EDIT");
const QString PupilModel::kSex = QStringLiteral("Plec_DATA_COMBOBOX");
const QString PupilModel::kBirthDay = QStringLiteral("UrodzonyDnia_DATA_EDIT");
const QString PupilModel::kBirthYear = QStringLiteral("UrodzonyRok_DATA_COMBOBOX");
const QString PupilModel::kBirthTown = QStringLiteral("UrodzonyMiasto_DATA_COMBOBOX");
const QString PupilModel::kBirthProvince = QStringLiteral("UrodzonyWoj_DATA_COMBOBOX");
const QString PupilModel::kRegisterNumber = QStringLiteral("NrDziennika_DATA_EDIT");
const QString PupilModel::kPesel = QStringLiteral("NrPesel_DATA_EDIT");

const QString PupilModel::kFemale = QStringLiteral("kobieta");
const QString PupilModel::kMale = QStringLiteral("mężczyzna");

namespace {

Component limitedEdit(const QString& name, int maxLength) {
    Component c = Component::named(name);
    c.maxLength = maxLength;
    return c;
}

Component comboBox(const QString& name, const QStringList& items = {}) {
    Component c = Component::named(name);
    c.items = items;
    return c;
}

// The years in which today's pupils of grades 4 to 6 were born, with some room either side.
QStringList birthYearItems() {
    const int thisYear = program_clock::today().year();
    QStringList items;
    for (int year = thisYear - 16; year <= thisYear - 7; ++year)
        items.append(QStringLiteral("%1 r.").arg(year));
    return items;
}

}  // namespace

PupilModel::PupilModel(QObject* parent)
    : FormModel(kWindowName, QString::fromLatin1(DocumentIds::kPupilData), MarkerSet::Plain,
                parent) {
    // In the dialog's tab order.
    addComponent(limitedEdit(kSurname, 48));
    addComponent(limitedEdit(kFirstName, 48));
    addComponent(Component::dropDownList(kSex, {kFemale, kMale}));
    addComponent(limitedEdit(kBirthDay, 46));
    addComponent(comboBox(kBirthYear, birthYearItems()));
    addComponent(comboBox(kBirthTown));      // items come from the town list
    addComponent(comboBox(kBirthProvince));  // items come from the province list
    addComponent(limitedEdit(kRegisterNumber, 48));
    addComponent(limitedEdit(kPesel, 20));
}

void PupilModel::vFunClearData() {
    const QString year = text(kBirthYear);
    const QString town = text(kBirthTown);
    const QString province = text(kBirthProvince);
    FormModel::vFunClearData();
    setText(kBirthYear, year);
    setText(kBirthTown, town);
    setText(kBirthProvince, province);
}

bool PupilModel::isMale() const {
    return text(kSex) == kMale;
}

void PupilModel::applyRecord(const FieldRecord& record) {
    // Older files store the number as a bare "Pesel_DATA_EDIT".
    if (record.compName.contains(QLatin1String("Pesel_DATA_EDIT"), Qt::CaseSensitive)) {
        setText(kPesel, record.value);
        return;
    }
    if (record.compName.contains(QLatin1String("_DATA_COMBOBOX"), Qt::CaseSensitive)
        && indexOf(record.compName) == indexOf(kSex)) {
        setSelectedIndex(kSex, record.value == kMale ? 1 : 0);
        return;
    }
    FormModel::applyRecord(record);
}

void vFunSupplyPeselFromTable(RecordList& records, const QString& table) {
    const QString prefix = QStringLiteral("PESEL");
    if (table.size() <= prefix.size() || !table.startsWith(prefix)) return;
    for (const FieldRecord& record : records) {
        if (record.id == QLatin1String(DocumentIds::kPupilData)
            && record.compName.contains(QLatin1String("Pesel_DATA_EDIT"))
            && !record.value.trimmed().isEmpty()) {
            return;
        }
    }
    records.append(FieldRecord::make(QString::fromUtf8(DocumentIds::kPupilData),
                                     PupilModel::kPesel, table.mid(prefix.size())));
}
