#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

#include "storage/field_record.h"

// What a component is. Data kinds follow from the name's markers; the pupil's sex list and
// the window's own widgets (leaders, selectors, buttons) have to be said explicitly.
enum class ComponentKind {
    Edit,          // _DATA_EDIT: one line of text
    ComboBox,      // _DATA_COMBOBOX: free text with suggestions
    Memo,          // _DATA_MEMO: several lines, one record each
    Label,         // _DATA_LABEL: fixed caption printed on the form
    DropDownList,  // fixed items, stored as the selected item's text
    WindowOnly,    // never stored, cleared or printed
};

// The kind a name's markers give; WindowOnly for names outside the grammar.
ComponentKind componentKindForName(const QString& name);

struct Component {
    QString name;
    ComponentKind kind = ComponentKind::WindowOnly;
    QString text;         // edit/combo text, label caption; unused by memos and drop-down lists
    QStringList lines;    // memo
    QStringList items;    // combo suggestions or the drop-down list's fixed items
    int maxLength = 0;    // characters the user may type; 0 = no limit
    int maxLines = 0;     // memo: lines it may hold; 0 = no limit
    bool readOnly = false;
    bool enabled = true;
    int selectedIndex = -1;  // drop-down list only; -1 = nothing selected
    // How an editing window draws a fixed text; 0 leaves the window's default size.
    int fontPixelHeight = 0;
    bool bold = false;

    // A component whose kind follows from its name.
    static Component named(const QString& name, const QString& text = QString());
    static Component dropDownList(const QString& name, const QStringList& items);
    static Component windowOnly(const QString& name, const QString& text = QString());
};

// One form: its components in layout order, the document id its records carry, and the
// generic clear / collect / apply that pick components by their name markers.
class FormModel : public QObject {
    Q_OBJECT
public:
    // Two-sided certificates clear only names carrying a page infix (_STR1_/_STR2_).
    enum class MarkerSet { Plain, Certificate };

    FormModel(const QString& windowName, const QString& documentId, MarkerSet markers,
              QObject* parent = nullptr);

    const QString& windowName() const { return m_windowName; }
    const QString& documentId() const { return m_documentId; }
    MarkerSet markerSet() const { return m_markers; }

    // False (and nothing added) when the form already has a component of that name.
    bool addComponent(const Component& component);
    int componentCount() const { return static_cast<int>(m_components.size()); }
    const Component& component(int index) const { return m_components.at(index); }
    // Names are looked up without regard to letter case; -1 when absent.
    int indexOf(const QString& name) const;
    bool hasComponent(const QString& name) const { return indexOf(name) >= 0; }

    // Text and line operations by name; absent names read as empty and ignore writes.
    // A memo's text is its lines joined by '\n'; a drop-down list's is its selected item.
    QString text(const QString& name) const;
    void setText(const QString& name, const QString& text);
    int lineCount(const QString& name) const;
    QString line(const QString& name, int index) const;
    QStringList lines(const QString& name) const;
    // A memo keeps at most its maxLines: text set or lines appended beyond it are dropped.
    void appendLine(const QString& name, const QString& line);
    void clearLines(const QString& name);
    // Keeps the memo's first `maxLines` lines (whatever its own limit).
    void vFunTrimMemoLines(const QString& name, int maxLines);
    int selectedIndex(const QString& name) const;
    void setSelectedIndex(const QString& name, int index);
    void setItems(const QString& name, const QStringList& items);

    // Empties every data component; labels and window-only components keep their text.
    virtual void vFunClearData();
    // Appends this form's records in component order; always true.
    bool bFunGetDataList(RecordList& records) const;
    // Clears, takes the records carrying this form's document id, then copies pupil data.
    void vFunSetDataList(const RecordList& records);

    // Runs at the end of every apply, so copied pupil data wins over stored values.
    using PupilDataHook = std::function<void(FormModel& document)>;
    void setPupilDataHook(PupilDataHook hook) { m_pupilDataHook = std::move(hook); }

signals:
    void componentChanged(int index);

protected:
    // One record of this form's id, in list order.
    virtual void applyRecord(const FieldRecord& record);
    void setTextAt(int index, const QString& text);
    void setSelectedIndexAt(int index, int item);

private:
    bool clearsTextOf(const QString& name) const;
    void appendLineAt(int index, const QString& line);
    void clearLinesAt(int index);

    QString m_windowName;
    QString m_documentId;
    MarkerSet m_markers;
    QList<Component> m_components;
    QHash<QString, int> m_indexByFoldedName;
    PupilDataHook m_pupilDataHook;
    // A form without components yet keeps its records so a save returns them untouched.
    RecordList m_keptRecords;
};
