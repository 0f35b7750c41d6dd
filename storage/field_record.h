#pragma once
#include <QList>
#include <QString>
// One stored value of a pupil: a row (id, comp_name, value) of the pupil's table.
struct FieldRecord {
    // Longest texts a record holds; files with longer texts must still open where the
    // fields are fixed-size, so longer texts are cut.
    static constexpr int kMaxIdLength = 499;
    static constexpr int kMaxNameLength = 499;
    static constexpr int kMaxValueLength = 2047;
    QString id;
    QString compName;
    QString value;
    static FieldRecord make(const QString& id, const QString& compName, const QString& value) {
        return {id.left(kMaxIdLength), compName.left(kMaxNameLength), value.left(kMaxValueLength)};
    }
};
using RecordList = QList<FieldRecord>;
