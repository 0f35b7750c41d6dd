#include "editing_layout.h"

#include <QFileInfo>
#include <QPainter>

#include "forms/certificate_family.h"
#include "forms/document_types.h"
#include "forms/field_model.h"
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
    canvas.drawRect(QRectF(QPointF(entry.x1, entry.y1), QPointF(entry.x2, entry.y2)).normalized());
    canvas.restore();
}

enum class EntryRole { Mark, Label, Dots, Data, Other };

struct Classified {
    EntryRole role = EntryRole::Other;
    int side = 1;
};

// The markers the page renderer draws certificate entries by.
Classified classify(const QString& name) {
    if (name.contains(QLatin1String("GRAFIKA: ORZELEK")) ||
        name.contains(QLatin1String("GRAFIKA: PIECZATKA")))
        return {EntryRole::Mark, 1};
    const struct {
        const char* marker;
        EntryRole role;
    } kinds[] = {{"_DATA_LABEL", EntryRole::Label},
                 {"_DATA_EDIT", EntryRole::Data},
                 {"_DATA_COMBOBOX", EntryRole::Data},
                 {"_LINIA_Z_KROPEK", EntryRole::Dots}};
    for (const auto& kind : kinds) {
        for (int side = 1; side <= 2; ++side) {
            const QString marker = QStringLiteral("_STR%1").arg(side) + QLatin1String(kind.marker);
            if (name.contains(marker)) return {kind.role, side};
        }
    }
    return {};
}

}  // namespace

DocumentLayout buildCertificateLayout(const FormModel& certificate, const CalibrationList& entries) {
    DocumentLayout layout;
    layout.sides = 2;
    layout.drawPage = vFunDrawPagePicture;

    QHash<QString, QString> memberNames;
    if (const CertificateMember* member = certificateMember(certificate.windowName())) {
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
    for (const CalibrationEntry& entry : entries) {
        const QString name = memberNames.value(entry.name, entry.name);
        const Classified what = classify(name);
        QPainter& canvas = canvases[what.side - 1];
        switch (what.role) {
            case EntryRole::Mark:
                outlineMarkPlace(canvas, entry);
                break;
            case EntryRole::Dots:
                drawing.vFunDrawDottedLine(canvas, what.side, entry, name);
                break;
            case EntryRole::Label:
                if (certificate.hasComponent(name))
                    drawing.vFunDrawCalibText(canvas, what.side, certificate.text(name), entry, name);
                break;
            case EntryRole::Data:
                if (certificate.hasComponent(name))
                    layout.fields.append(placementOf(entry, name, what.side, canvas.device()));
                break;
            case EntryRole::Other:
                break;
        }
    }

    for (int i = 0; i < 2; ++i) {
        canvases[i].end();
        layout.side[i].setBoundingRect(pageRect);
    }
    return layout;
}

QString strFunEditingLayoutTable(const QString& windowName) {
    const CertificateMember* member = certificateMember(windowName);
    const CertificateMember* counterpart = member ? aSeriesCounterpart(*member) : nullptr;
    if (!counterpart) return QString();
    for (const DocumentType& type : documentTypes()) {
        if (type.formName == counterpart->windowName) return type.key;
    }
    return QString();
}

const DocumentLayout& EditingLayouts::certificateLayout(const FormModel& certificate) {
    const QString windowName = certificate.windowName();
    const auto found = m_layouts.constFind(windowName);
    if (found != m_layouts.constEnd()) return *found;

    // The windows are built before the first start installs the working calibration: until it
    // exists the shipped copy serves, without a "file missing" row in the log for each window.
    // Other failed reads are logged by the load itself; the window then shows an empty page.
    ErrorStream err;
    CalibrationList entries;
    const QString table = strFunEditingLayoutTable(windowName);
    const QString working = strFunGetCalibFilePath(err, false);
    if (!table.isEmpty() &&
        (!QFileInfo(working).isFile() || !bFunCalibLoadData(err, working, table, entries))) {
        bFunCalibLoadData(err, strFunGetCalibFilePath(err, true), table, entries);
    }
    return *m_layouts.insert(windowName, buildCertificateLayout(certificate, entries));
}
