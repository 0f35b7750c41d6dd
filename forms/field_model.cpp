#include "field_model.h"

namespace {

// Markers are matched anywhere in a name and in the letter case written here.
const QString kEdit = QStringLiteral("_DATA_EDIT");
const QString kComboBox = QStringLiteral("_DATA_COMBOBOX");
const QString kMemo = QStringLiteral("_DATA_MEMO");
const QString kLabel = QStringLiteral("_DATA_LABEL");
const QStringList kCertificateTextMarkers = {
    QStringLiteral("_STR1_DATA_EDIT"), QStringLiteral("_STR2_DATA_EDIT"),
    QStringLiteral("_STR1_DATA_COMBOBOX"), QStringLiteral("_STR2_DATA_COMBOBOX")};

bool has(const QString& name, const QString& marker) {
    return name.contains(marker, Qt::CaseSensitive);
}

QString memoLineName(const QString& memoName, int lineIndex) {
    return memoName + QString::asprintf("%02d", lineIndex + 1);
}

// The memo a line record belongs to. Line numbers are normally two digits, but "%02d" writes
// three from line 100 on; cutting a fixed two characters would lose those lines, so the
// whole trailing number goes when the rest ends in the memo marker.
QString memoNameOfLine(const QString& recordName) {
    int digitsStart = recordName.size();
    while (digitsStart > 0 && recordName.at(digitsStart - 1).isDigit()
           && recordName.at(digitsStart - 1).unicode() < 0x80) {
        --digitsStart;
    }
    const QString stem = recordName.left(digitsStart);
    if (recordName.size() - digitsStart >= 2 && stem.endsWith(kMemo, Qt::CaseSensitive))
        return stem;
    return recordName.size() >= 2 ? recordName.chopped(2) : QString();
}

// The first lines a memo may hold.
QStringList withinLimit(const Component& memo, QStringList lines) {
    if (memo.maxLines > 0 && lines.size() > memo.maxLines) lines = lines.mid(0, memo.maxLines);
    return lines;
}

QString textOf(const Component& c) {
    switch (c.kind) {
    case ComponentKind::Memo:
        return c.lines.join(QLatin1Char('\n'));
    case ComponentKind::DropDownList:
        return c.selectedIndex >= 0 ? c.items.at(c.selectedIndex) : QString();
    default:
        return c.text;
    }
}

}  // namespace

ComponentKind componentKindForName(const QString& name) {
    if (has(name, kMemo)) return ComponentKind::Memo;
    if (has(name, kComboBox)) return ComponentKind::ComboBox;
    if (has(name, kEdit)) return ComponentKind::Edit;
    if (has(name, kLabel)) return ComponentKind::Label;
    return ComponentKind::WindowOnly;
}

Component Component::named(const QString& name, const QString& text) {
    Component c;
    c.name = name;
    c.kind = componentKindForName(name);
    c.text = text;
    return c;
}

Component Component::dropDownList(const QString& name, const QStringList& items) {
    Component c;
    c.name = name;
    c.kind = ComponentKind::DropDownList;
    c.items = items;
    return c;
}

Component Component::windowOnly(const QString& name, const QString& text) {
    Component c;
    c.name = name;
    c.kind = ComponentKind::WindowOnly;
    c.text = text;
    return c;
}

FormModel::FormModel(const QString& windowName, const QString& documentId, MarkerSet markers,
                     QObject* parent)
    : QObject(parent), m_windowName(windowName), m_documentId(documentId), m_markers(markers) {}

bool FormModel::addComponent(const Component& component) {
    const QString key = component.name.toCaseFolded();
    if (m_indexByFoldedName.contains(key)) return false;
    m_indexByFoldedName.insert(key, componentCount());
    m_components.append(component);
    return true;
}

int FormModel::indexOf(const QString& name) const {
    return m_indexByFoldedName.value(name.toCaseFolded(), -1);
}

QString FormModel::text(const QString& name) const {
    const int i = indexOf(name);
    return i >= 0 ? textOf(m_components.at(i)) : QString();
}

void FormModel::setText(const QString& name, const QString& text) {
    const int i = indexOf(name);
    if (i >= 0) setTextAt(i, text);
}

int FormModel::lineCount(const QString& name) const {
    return static_cast<int>(lines(name).size());
}

QString FormModel::line(const QString& name, int index) const {
    return lines(name).value(index);
}

QStringList FormModel::lines(const QString& name) const {
    const int i = indexOf(name);
    return i >= 0 ? m_components.at(i).lines : QStringList();
}

void FormModel::appendLine(const QString& name, const QString& line) {
    const int i = indexOf(name);
    if (i >= 0) appendLineAt(i, line);
}

void FormModel::clearLines(const QString& name) {
    const int i = indexOf(name);
    if (i >= 0) clearLinesAt(i);
}

void FormModel::vFunTrimMemoLines(const QString& name, int maxLines) {
    const int i = indexOf(name);
    if (i < 0 || maxLines < 0) return;
    Component& c = m_components[i];
    if (c.kind != ComponentKind::Memo || c.lines.size() <= maxLines) return;
    c.lines = c.lines.mid(0, maxLines);
    emit componentChanged(i);
}

int FormModel::selectedIndex(const QString& name) const {
    const int i = indexOf(name);
    return i >= 0 ? m_components.at(i).selectedIndex : -1;
}

void FormModel::setSelectedIndex(const QString& name, int index) {
    const int i = indexOf(name);
    if (i >= 0) setSelectedIndexAt(i, index);
}

void FormModel::setItems(const QString& name, const QStringList& items) {
    const int i = indexOf(name);
    if (i < 0) return;
    Component& c = m_components[i];
    if (c.items == items) return;
    const QString selected = textOf(c);
    c.items = items;
    if (c.kind == ComponentKind::DropDownList)
        c.selectedIndex = selected.isEmpty() ? -1 : static_cast<int>(items.indexOf(selected));
    emit componentChanged(i);
}

void FormModel::setTextAt(int index, const QString& text) {
    Component& c = m_components[index];
    switch (c.kind) {
    case ComponentKind::Memo: {
        const QStringList lines =
            withinLimit(c, text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n')));
        if (c.lines == lines) return;
        c.lines = lines;
        break;
    }
    case ComponentKind::DropDownList:
        setSelectedIndexAt(index, static_cast<int>(c.items.indexOf(text)));
        return;
    default:
        if (c.text == text) return;
        c.text = text;
        break;
    }
    emit componentChanged(index);
}

void FormModel::setSelectedIndexAt(int index, int item) {
    Component& c = m_components[index];
    if (c.kind != ComponentKind::DropDownList) return;
    if (item < -1 || item >= c.items.size()) item = -1;
    if (c.selectedIndex == item) return;
    c.selectedIndex = item;
    emit componentChanged(index);
}

void FormModel::appendLineAt(int index, const QString& line) {
    Component& c = m_components[index];
    if (c.kind != ComponentKind::Memo) return;
    if (c.maxLines > 0 && c.lines.size() >= c.maxLines) return;
    c.lines.append(line);
    emit componentChanged(index);
}

void FormModel::clearLinesAt(int index) {
    Component& c = m_components[index];
    if (c.lines.isEmpty()) return;
    c.lines.clear();
    emit componentChanged(index);
}

bool FormModel::clearsTextOf(const QString& name) const {
    if (m_markers == MarkerSet::Plain) return has(name, kEdit) || has(name, kComboBox);
    for (const QString& marker : kCertificateTextMarkers) {
        if (has(name, marker)) return true;
    }
    return false;
}

void FormModel::vFunClearData() {
    for (int i = 0; i < componentCount(); ++i) {
        const QString& name = m_components.at(i).name;
        if (clearsTextOf(name)) setTextAt(i, QString());
        if (has(name, kMemo)) clearLinesAt(i);
    }
    m_keptRecords.clear();
}

bool FormModel::bFunGetDataList(RecordList& records) const {
    records.append(m_keptRecords);
    for (const Component& c : m_components) {
        if (has(c.name, kEdit)) records.append(FieldRecord::make(m_documentId, c.name, textOf(c)));
        if (has(c.name, kComboBox))
            records.append(FieldRecord::make(m_documentId, c.name, textOf(c)));
        if (has(c.name, kMemo)) {
            for (int j = 0; j < c.lines.size(); ++j)
                records.append(FieldRecord::make(m_documentId, memoLineName(c.name, j), c.lines.at(j)));
        }
    }
    return true;
}

void FormModel::vFunSetDataList(const RecordList& records) {
    vFunClearData();
    for (const FieldRecord& record : records) {
        if (record.id != m_documentId) continue;
        if (m_components.isEmpty())
            m_keptRecords.append(record);
        else
            applyRecord(record);
    }
    if (m_pupilDataHook) m_pupilDataHook(*this);
}

void FormModel::applyRecord(const FieldRecord& record) {
    const QString& name = record.compName;
    if (has(name, kEdit) || has(name, kComboBox)) {
        const int i = indexOf(name);
        if (i >= 0) setTextAt(i, record.value);
    }
    if (has(name, kMemo)) {
        const int i = indexOf(memoNameOfLine(name));
        if (i >= 0) appendLineAt(i, record.value);
    }
}
