#include "editing_layout.h"

#include <QFileInfo>
#include <QPainter>

#include <algorithm>
#include <limits>

#include "forms/certificate_family.h"
#include "forms/document_types.h"
#include "forms/field_model.h"
#include "forms/grade_sheet_family.h"
#include "page_drawing.h"
#include "page_picture.h"
#include "storage/paths.h"

static_assert(kDocumentPageWidth == kPageWidth && kDocumentPageHeight == kPageHeight,
              "editing windows and pages share one page size");

namespace {

const CertificateMember* aSeriesCounterpart(const CertificateMember& member) {
    if (member.aSeries) return &member;
    for (const CertificateMember& other : certificateMembers()) {
        if (other.aSeries && other.grade == member.grade && other.distinction == member.distinction)
            return &other;
    }
    return nullptr;
}

// The counterpart's names that the member calls otherwise, for the same place on the form
// ("zajęcia techniczne" of the a series stands where the plain series has "technika"). The
// family renames in place, so both descriptions pair up by position.
QHash<QString, QString> memberNamesFor(const CertificateMember& member,
                                       const CertificateMember& counterpart) {
    QHash<QString, QString> names;
    const QList<Component> theirs = certificateComponents(counterpart);
    const QList<Component> ours = certificateComponents(member);
    if (theirs.size() != ours.size()) return names;
    for (qsizetype i = 0; i < theirs.size(); ++i) {
        if (theirs.at(i).name != ours.at(i).name) names.insert(theirs.at(i).name, ours.at(i).name);
    }
    return names;
}

QRectF entryRect(const CalibrationEntry& entry) {
    return QRectF(QPointF(entry.x1, entry.y1), QPointF(entry.x2, entry.y2)).normalized();
}

Qt::Alignment entryAlignment(int fontAlign) {
    switch (fontAlign) {
        case 0:
        case 3: return Qt::AlignLeft;  // justified text is typed from the left
        case 2: return Qt::AlignRight;
        default: return Qt::AlignHCenter;
    }
}

// Where the text of a data entry prints: from the top of its cell, which sits on y2, to just
// below y2 so descenders stay inside.
FieldPlacement placementOf(const CalibrationEntry& entry, const QString& name, int side,
                           QPaintDevice* page) {
    FieldPlacement placement;
    placement.name = name;
    placement.side = side;
    placement.font = entryFont(entry);
    placement.alignment = entryAlignment(entry.font_align);
    const qreal top = entryTextTop(entry, placement.font, page);
    placement.rect =
        QRectF(QPointF(entry.x1, top), QPointF(entry.x2, qreal(entry.y2) + 2)).normalized();
    return placement;
}

void outlineMarkPlace(QPainter& canvas, const CalibrationEntry& entry) {
    canvas.save();
    canvas.setPen(QPen(QColor(200, 200, 200), 1, Qt::DashLine));
    canvas.setBrush(Qt::NoBrush);
    canvas.drawRect(entryRect(entry));
    canvas.restore();
}

enum class EntryRole { Mark, Frame, Label, Dots, Data, MemoLine, Other };

struct Classified {
    EntryRole role = EntryRole::Other;
    int side = 1;
};

// The markers the page renderer draws entries by: on certificates each carries its side
// ("_STR2_DATA_EDIT"); one-page documents have none, and lay their memos out line by line.
Classified classify(const QString& name, bool twoSided) {
    if (name.contains(QLatin1String("GRAFIKA: ORZELEK")) ||
        name.contains(QLatin1String("GRAFIKA: PIECZATKA")))
        return {EntryRole::Mark, 1};
    if (!twoSided && name.contains(QLatin1String("GRAFIKA: RAMKA"))) return {EntryRole::Frame, 1};
    const struct {
        const char* marker;
        EntryRole role;
    } kinds[] = {{"_LINIA_Z_KROPEK", EntryRole::Dots},
                 {"_DATA_COMBOBOX", EntryRole::Data},
                 {"_DATA_EDIT", EntryRole::Data},
                 {"_DATA_LABEL", EntryRole::Label},
                 {"_DATA_MEMO", EntryRole::MemoLine}};
    for (const auto& kind : kinds) {
        if (!twoSided) {
            if (name.contains(QLatin1String(kind.marker))) return {kind.role, 1};
            continue;
        }
        if (kind.role == EntryRole::MemoLine) continue;  // certificates have no memos
        for (int side = 1; side <= 2; ++side) {
            const QString marker = QStringLiteral("_STR%1").arg(side) + QLatin1String(kind.marker);
            if (name.contains(marker)) return {kind.role, side};
        }
    }
    return {};
}

const DocumentType* documentTypeOf(const QString& windowName) {
    for (const DocumentType& type : documentTypes()) {
        if (type.formName == windowName) return &type;
    }
    return nullptr;
}

bool isTwoSided(const QString& windowName) {
    const DocumentType* type = documentTypeOf(windowName);
    return type && type->pages == 2;
}

// The memos of a one-page document: all line entries of one memo become one field over the
// union of their rectangles, the lines `linePitch` apart.
class MemoPlacements {
public:
    explicit MemoPlacements(QList<FieldPlacement>& fields) : m_fields(fields) {}

    void addLine(const FieldPlacement& line, qreal writingLine) {
        const auto found = m_memos.find(line.name);
        if (found == m_memos.end()) {
            m_memos.insert(line.name, {int(m_fields.size()), writingLine, writingLine, 1});
            m_fields.append(line);
            return;
        }
        Memo& memo = *found;
        FieldPlacement& placed = m_fields[memo.field];
        placed.rect = placed.rect.united(line.rect);
        memo.lastLine = writingLine;
        ++memo.lines;
        placed.linePitch = (memo.lastLine - memo.firstLine) / (memo.lines - 1);
    }

private:
    struct Memo {
        int field;
        qreal firstLine;
        qreal lastLine;
        int lines;
    };
    QList<FieldPlacement>& m_fields;
    QHash<QString, Memo> m_memos;
};

CalibrationList loadTable(const QString& table) {
    // The windows are built before the first start installs the working calibration: until it
    // exists the shipped copy serves, without a "file missing" row in the log for each window.
    // Other failed reads are logged by the load itself; the window then shows an empty page.
    ErrorStream err;
    CalibrationList entries;
    if (table.isEmpty()) return entries;
    const QString working = strFunGetCalibFilePath(err, false);
    if (!QFileInfo(working).isFile() || !bFunCalibLoadData(err, working, table, entries))
        bFunCalibLoadData(err, strFunGetCalibFilePath(err, true), table, entries);
    return entries;
}

QString keyOf(const QString& windowName) {
    const DocumentType* type = documentTypeOf(windowName);
    return type ? type->key : QString();
}

// A basic grade-sheet page is pre-printed, so its table holds data only; its window draws the
// face of the b page laid out like it: the b page of its number when that has as many columns,
// otherwise the b page with as many (the basic year pages all have two, which in the b series
// only page VIII has).
QString facePageKey(const DocumentType& type) {
    const GradeSheetMember* member = gradeSheetMember(type.formName);
    if (!member || member->bSeries) return type.key;
    const GradeSheetMember* face = nullptr;
    for (const GradeSheetMember& other : gradeSheetMembers()) {
        if (!other.bSeries || other.columns != member->columns) continue;
        if (!face || other.page == member->page) face = &other;
    }
    return face ? keyOf(face->windowName) : type.key;
}

}  // namespace

EditingTables editingLayoutTables(const QString& windowName) {
    if (const CertificateMember* member = certificateMember(windowName)) {
        const CertificateMember* counterpart = aSeriesCounterpart(*member);
        const QString key = counterpart ? keyOf(counterpart->windowName) : QString();
        return {key, key};
    }
    const DocumentType* type = documentTypeOf(windowName);
    if (!type) return {};
    return {facePageKey(*type), type->key};
}

DocumentLayout buildEditingLayout(const FormModel& form, const CalibrationList& face,
                                  const CalibrationList& fields) {
    const bool twoSided = isTwoSided(form.windowName());
    DocumentLayout layout;
    layout.sides = twoSided ? 2 : 1;
    layout.drawPage = vFunDrawPagePicture;

    QHash<QString, QString> memberNames;
    if (const CertificateMember* member = certificateMember(form.windowName())) {
        if (const CertificateMember* counterpart = aSeriesCounterpart(*member))
            memberNames = memberNamesFor(*member, *counterpart);
    }

    const QRect pageRect(0, 0, kPageWidth, kPageHeight);
    QPainter canvases[2];
    for (int i = 0; i < 2; ++i) {
        layout.side[i].setBoundingRect(pageRect);
        canvases[i].begin(&layout.side[i]);
        PageDrawing::vFunPrepareCanvas(canvases[i]);
    }

    ErrorStream err;  // nothing drawn here reports: no marks, no highlight
    PreviewRequests unused;
    const DrawingSettings settings;
    PageDrawing drawing(settings, err, unused);
    // A borrowed face may frame what only its own page has (the test result under page VIII's
    // table, drawn on the basic pages VI and VII from page VIII's face): a frame wholly below
    // everything this page prints is not drawn.
    int lowestPrinted = std::numeric_limits<int>::max();
    if (!fields.isEmpty()) {
        lowestPrinted = std::numeric_limits<int>::min();
        for (const CalibrationEntry& entry : fields) lowestPrinted = std::max(lowestPrinted, entry.y2);
    }
    QRectF used;
    for (const CalibrationEntry& entry : face) {
        const QString name = memberNames.value(entry.name, entry.name);
        const Classified what = classify(name, twoSided);
        QPainter& canvas = canvases[what.side - 1];
        switch (what.role) {
            case EntryRole::Mark:
                outlineMarkPlace(canvas, entry);
                break;
            case EntryRole::Frame:
                if (std::min(entry.y1, entry.y2) >= lowestPrinted) continue;
                drawing.vFunDrawFrame(canvas, entry);
                break;
            case EntryRole::Dots:
                drawing.vFunDrawDottedLine(canvas, what.side, entry, name);
                break;
            case EntryRole::Label:
                if (!form.hasComponent(name)) continue;
                drawing.vFunDrawCalibText(canvas, what.side, form.text(name), entry, name);
                used |= placementOf(entry, name, what.side, canvas.device()).rect;
                continue;
            default:
                continue;
        }
        used |= entryRect(entry);
    }

    MemoPlacements memos(layout.fields);
    for (const CalibrationEntry& entry : fields) {
        const QString name = memberNames.value(entry.name, entry.name);
        const Classified what = classify(name, twoSided);
        QPaintDevice* device = canvases[what.side - 1].device();
        if (what.role == EntryRole::Data && form.hasComponent(name)) {
            layout.fields.append(placementOf(entry, name, what.side, device));
        } else if (what.role == EntryRole::MemoLine) {
            const QString memo = name.left(name.size() - 2);  // without the line's "01".."99"
            if (!form.hasComponent(memo)) continue;
            memos.addLine(placementOf(entry, memo, 1, device), entry.y2);
        }
    }
    for (const FieldPlacement& placed : std::as_const(layout.fields)) used |= placed.rect;

    for (int i = 0; i < 2; ++i) {
        canvases[i].end();
        layout.side[i].setBoundingRect(pageRect);
    }
    const qreal margin = 10;
    layout.usedArea = used.adjusted(-margin, -margin, margin, margin).intersected(QRectF(pageRect));
    return layout;
}

const DocumentLayout& EditingLayouts::layoutFor(const FormModel& form) {
    const QString windowName = form.windowName();
    const auto found = m_layouts.constFind(windowName);
    if (found != m_layouts.constEnd()) return *found;

    const EditingTables tables = editingLayoutTables(windowName);
    const CalibrationList face = loadTable(tables.face);
    const CalibrationList fields = tables.fields == tables.face ? face : loadTable(tables.fields);
    return *m_layouts.insert(windowName, buildEditingLayout(form, face, fields));
}
