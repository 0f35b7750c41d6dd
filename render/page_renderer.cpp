#include "page_renderer.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <optional>

#include "forms/document_types.h"
#include "forms/field_model.h"
#include "forms/prompter.h"
#include "storage/error_log.h"
#include "storage/error_stream.h"

namespace {

enum class Action { Eagle, Stamp, Text, TextUnlessEmptyBirthOrSchool, Dots, Frame, MemoLine };

// An entry is drawn by the first rule whose marker its name contains; the marks do not stop
// the search.
struct Rule {
    const char* marker;
    Action action;
    int page;
};

const Rule kCertificateRules[] = {
    {"GRAFIKA: ORZELEK", Action::Eagle, 1},
    {"GRAFIKA: PIECZATKA", Action::Stamp, 1},
    {"_STR1_DATA_LABEL", Action::Text, 1},
    {"_STR2_DATA_LABEL", Action::Text, 2},
    {"_STR1_DATA_EDIT", Action::TextUnlessEmptyBirthOrSchool, 1},
    {"_STR2_DATA_EDIT", Action::Text, 2},
    {"_STR1_DATA_COMBOBOX", Action::Text, 1},
    {"_STR2_DATA_COMBOBOX", Action::Text, 2},
    {"_STR1_LINIA_Z_KROPEK", Action::Dots, 1},
    {"_STR2_LINIA_Z_KROPEK", Action::Dots, 2},
};

const Rule kMeetingReportRules[] = {
    {"_LINIA_Z_KROPEK", Action::Dots, 1},
    {"_DATA_COMBOBOX", Action::Text, 1},
    {"_DATA_EDIT", Action::Text, 1},
    {"_DATA_LABEL", Action::Text, 1},
};

const Rule kGradeSheetRules[] = {
    {"GRAFIKA: RAMKA", Action::Frame, 1}, {"_LINIA_Z_KROPEK", Action::Dots, 1},
    {"_DATA_COMBOBOX", Action::Text, 1},  {"_DATA_EDIT", Action::Text, 1},
    {"_DATA_LABEL", Action::Text, 1},     {"_DATA_MEMO", Action::MemoLine, 1},
};

bool isCertificate(const DocumentType& type) {
    return type.family == DocumentFamily::PromotionCertificate ||
           type.family == DocumentFamily::SchoolLeavingCertificate;
}

// The line a memo entry prints: entries of one memo stand together in line order, so the line
// is counted, not read from the name's two-digit suffix.
class MemoLineCounter {
public:
    int next(const QString& memo) {
        if (m_memo != memo) {
            m_memo = memo;
            m_line = 0;
        } else {
            ++m_line;
        }
        return m_line;
    }

private:
    std::optional<QString> m_memo;
    int m_line = 0;
};

class DocumentWalk {
public:
    DocumentWalk(const RenderRequest& request, PageDrawing& drawing, QPainter (&canvases)[2])
        : m_form(request.form), m_drawing(drawing), m_canvases(canvases) {}

    void drawEntries(const CalibrationList& entries, const DocumentType& type) {
        for (const CalibrationEntry& entry : entries) {
            if (isCertificate(type)) {
                draw(entry, kCertificateRules);
            } else if (type.family == DocumentFamily::MeetingReport) {
                draw(entry, kMeetingReportRules);
            } else {
                draw(entry, kGradeSheetRules);
            }
        }
    }

private:
    template <size_t N>
    void draw(const CalibrationEntry& entry, const Rule (&rules)[N]) {
        for (const Rule& rule : rules) {
            if (!entry.name.contains(QLatin1String(rule.marker))) continue;
            apply(rule, entry);
            if (rule.action != Action::Eagle && rule.action != Action::Stamp) return;
        }
    }

    bool hasComponent(const QString& name) const { return m_form && m_form->hasComponent(name); }

    void apply(const Rule& rule, const CalibrationEntry& entry) {
        QPainter& canvas = m_canvases[rule.page - 1];
        switch (rule.action) {
            case Action::Eagle:
                m_drawing.vFunGraphicDrawMark(MarkKind::Eagle, entry, canvas, entry.name);
                return;
            case Action::Stamp:
                m_drawing.vFunGraphicDrawMark(MarkKind::Stamp, entry, canvas, entry.name);
                return;
            case Action::Dots:
                m_drawing.vFunDrawDottedLine(canvas, rule.page, entry, entry.name);
                return;
            case Action::Frame:
                m_drawing.vFunDrawFrame(canvas, entry);
                return;
            case Action::Text:
            case Action::TextUnlessEmptyBirthOrSchool:
                drawTextField(rule, entry, canvas);
                return;
            case Action::MemoLine:
                drawMemoLine(entry, canvas);
                return;
        }
    }

    void drawTextField(const Rule& rule, const CalibrationEntry& entry, QPainter& canvas) {
        // An entry for a component the form lacks has nothing to print, not even a stroke.
        if (!hasComponent(entry.name)) return;
        const QString text = m_form->text(entry.name);
        // Birth place and school place are optional on page 1: left empty, they stay blank.
        if (rule.action == Action::TextUnlessEmptyBirthOrSchool && text.isEmpty() &&
            (entry.name.contains(QLatin1String("ZMIENNA_UrWE")) ||
             entry.name.contains(QLatin1String("ZMIENNA_SzkolaWE"))))
            return;
        m_drawing.vFunDrawCalibText(canvas, rule.page, text, entry, entry.name);
    }

    void drawMemoLine(const CalibrationEntry& entry, QPainter& canvas) {
        const QString memo = entry.name.left(entry.name.size() - 2);  // without "01".."99"
        if (!hasComponent(memo)) return;
        const int line = m_memoLines.next(memo);
        // The memo's name, so the highlight outlines every line of the chosen memo.
        m_drawing.vFunDrawCalibText(canvas, 1, m_form->line(memo, line), entry, memo);
    }

    const FormModel* m_form;
    PageDrawing& m_drawing;
    QPainter (&m_canvases)[2];
    MemoLineCounter m_memoLines;
};

void reportError(QWidget* parent, const QString& text, PromptIcon icon = PromptIcon::Error) {
    prompter().message(parent, text, QStringLiteral("Błąd"), icon, PromptButtons::Ok);
}

// A blank form that is missing or unreadable is reported, but only as a warning: the page is
// drawn all the same, over whatever the preview showed before.
void showBackground(RenderResult& result, int slot, const RenderRequest& request,
                    const QString& relative) {
    const QString path = request.dataDir + QLatin1Char('/') + relative;
    QString problem;
    if (!QFileInfo(path).isFile()) {
        problem = QStringLiteral("Plik nie istnieje.\n\n") + path;
    } else if (!QImageReader(path).canRead()) {
        problem = strFunUnreadablePictureMessage(path);
    } else {
        result.preview.background[slot] = path;
        return;
    }
    result.backgroundsMissing << path;
    reportError(request.dialogParent, problem, PromptIcon::Warning);
}

}  // namespace

QString strFunPreviewPicture(int type) {
    if (type < 0 || type >= documentTypes().size()) return QString();
    const DocumentType& document = documentTypes().at(type);
    if (isCertificate(document)) {
        // Odd numbers are the certificates with distinction.
        return type % 2 ? QStringLiteral("grafika/sw_str1_prw_wyr.bmp")
                        : QStringLiteral("grafika/sw_str1_prw.bmp");
    }
    if (document.family == DocumentFamily::MeetingReport)
        return QStringLiteral("grafika/wywiadowka_prw.bmp");
    return QStringLiteral("grafika/arkusz_prw.bmp");
}

RenderResult renderDocumentPages(ErrorStream& err, const RenderRequest& request) {
    RenderResult result;
    QPainter canvases[2];
    const QRect pageRect(0, 0, kPageWidth, kPageHeight);
    for (int i = 0; i < 2; ++i) {
        result.pages[i].setBoundingRect(pageRect);
        canvases[i].begin(&result.pages[i]);
        PageDrawing::vFunPrepareCanvas(canvases[i]);
    }
    const auto closeCanvases = [&] {
        for (int i = 0; i < 2; ++i) {
            canvases[i].end();
            result.pages[i].setBoundingRect(pageRect);
        }
    };

    if (request.type < 0 || request.type >= documentTypes().size()) {
        closeCanvases();
        reportError(request.dialogParent, QStringLiteral("Niepoprawny typ świadectwa"),
                    PromptIcon::Warning);
        result.status = RenderStatus::InvalidType;
        return result;
    }
    const DocumentType& type = documentTypes().at(request.type);

    const QString key = calibrationKey(type, request.switches.printWithoutDots);
    const QString loadFailed =
        QStringLiteral("Błąd podczas próby wczytania danych kalibracji.\n\n");
    if (!bFunCalibLoadData(err, request.calibrationPath, key, result.entries)) {
        closeCanvases();
        reportError(request.dialogParent, loadFailed + err.text());
        result.status = RenderStatus::CalibrationMissing;
        return result;
    }
    // A table without rows would give blank pages that look like a success.
    if (result.entries.isEmpty()) {
        closeCanvases();
        err.clear();
        err << "Tablica kalibracji nie zawiera żadnych wpisów: \n" << key;
        vFunWriteLog(err, QStringLiteral("renderDocumentPages()"), kLogError);
        reportError(request.dialogParent, loadFailed + err.text());
        result.status = RenderStatus::CalibrationEmpty;
        return result;
    }

    result.pageCount = request.pages;

    DrawingSettings settings;
    settings.switches = request.switches;
    settings.print = request.print;
    settings.highlight = request.highlight;
    settings.selectedName = request.selectedName;
    settings.dataDir = request.dataDir;
    settings.dialogParent = request.dialogParent;
    PageDrawing drawing(settings, err, result.preview);
    DocumentWalk(request, drawing, canvases).drawEntries(result.entries, type);
    closeCanvases();
    result.marksLeftOut = drawing.marksLeftOut();

    if (request.print) {
        result.status = RenderStatus::Printed;
        return result;
    }
    showBackground(result, 0, request, strFunPreviewPicture(request.type));
    if (isCertificate(type))
        showBackground(result, 1, request, QStringLiteral("grafika/sw_str2_prw.bmp"));
    result.preview.secondTabVisible = isCertificate(type) ? 1 : 0;
    result.status = RenderStatus::Previewed;
    return result;
}
