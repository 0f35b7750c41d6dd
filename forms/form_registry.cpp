#include "form_registry.h"

#include "certificate_family.h"
#include "document_types.h"
#include "grade_sheet_family.h"
#include "meeting_note.h"
#include "pupil_data_copy.h"
#include "pupil_model.h"
#include "school_template_model.h"

namespace {

// Builds the components of one member of a family, in layout order. A model left without
// components keeps and returns its records untouched, so saving a pupil never drops data of
// a document the program cannot edit yet.
using DescribeComponents = QList<Component> (*)(const DocumentType& member);

QList<Component> notDescribedYet(const DocumentType&) {
    return {};
}

QList<Component> describeCertificate(const DocumentType& type) {
    const CertificateMember* member = certificateMember(type.formName);
    return member ? certificateComponents(*member) : QList<Component>{};
}

QList<Component> describeGradeSheetPage(const DocumentType& type) {
    const GradeSheetMember* member = gradeSheetMember(type.formName);
    return member ? gradeSheetComponents(*member) : QList<Component>{};
}

QList<Component> describeMeetingNote(const DocumentType&) {
    return meetingNoteComponents();
}

DescribeComponents describerFor(DocumentFamily family) {
    switch (family) {
    case DocumentFamily::PromotionCertificate:
    case DocumentFamily::SchoolLeavingCertificate:
        return &describeCertificate;
    case DocumentFamily::GradeSheetTitlePage:
    case DocumentFamily::GradeSheetYearPage:
        return &describeGradeSheetPage;
    case DocumentFamily::MeetingReport:
        return &describeMeetingNote;
    }
    return &notDescribedYet;
}

FormModel::MarkerSet markerSetFor(DocumentFamily family) {
    const bool twoSided = family == DocumentFamily::PromotionCertificate
                          || family == DocumentFamily::SchoolLeavingCertificate;
    return twoSided ? FormModel::MarkerSet::Certificate : FormModel::MarkerSet::Plain;
}

}  // namespace

FormRegistry::FormRegistry() {
    auto pupil = std::make_unique<PupilModel>();
    m_pupil = pupil.get();
    m_saveOrder.append(m_pupil);
    m_models.push_back(std::move(pupil));

    for (const DocumentType* type : documentTypesInDispatchOrder()) {
        auto model = std::make_unique<FormModel>(type->formName, type->documentId,
                                                 markerSetFor(type->family));
        for (const Component& component : describerFor(type->family)(*type))
            model->addComponent(component);
        attachPupilData(*model, *m_pupil, type->family);
        m_saveOrder.append(model.get());
        m_models.push_back(std::move(model));
    }

    m_schoolTemplate = std::make_unique<FormModel>(QString::fromLatin1(kSchoolTemplateWindowName),
                                                   QString::fromLatin1(kSchoolTemplateDocumentId),
                                                   FormModel::MarkerSet::Plain);
    for (const Component& component : schoolTemplateComponents())
        m_schoolTemplate->addComponent(component);
}

FormRegistry::~FormRegistry() = default;

FormModel* FormRegistry::forModel(const QString& windowName) const {
    for (FormModel* model : m_saveOrder) {
        if (model->windowName() == windowName) return model;
    }
    return nullptr;
}

FormModel* FormRegistry::forDocumentId(const QString& documentId) const {
    for (FormModel* model : m_saveOrder) {
        if (model->documentId() == documentId) return model;
    }
    return nullptr;
}

bool FormRegistry::collectAll(RecordList& records) const {
    records.clear();
    bool ok = true;
    for (const FormModel* model : m_saveOrder) ok = model->bFunGetDataList(records) && ok;
    return ok;
}

void FormRegistry::applyPupil(RecordList& records, const QString& table) {
    vFunSupplyPeselFromTable(records, table);
    applyAll(records);
    m_pupilTable = table;
}

void FormRegistry::applyAll(const RecordList& records) {
    for (FormModel* model : m_saveOrder) model->vFunSetDataList(records);
}

void FormRegistry::clearAll() {
    m_pupilTable.clear();
    for (FormModel* model : m_saveOrder) {
        if (model != m_pupil) model->vFunClearData();
    }
    m_pupil->vFunClearData();
}
