#pragma once

#include <QList>
#include <QString>

// Which description a document's form is built from, and which pupil data it copies.
enum class DocumentFamily {
    PromotionCertificate,      // grades 4 and 5, both series, with and without distinction
    SchoolLeavingCertificate,  // after grade 6
    MeetingReport,
    GradeSheetTitlePage,
    GradeSheetYearPage,
};

// One document every pupil has. `number` is the one the renderer knows it by.
struct DocumentType {
    int number;
    QString caption;     // the pupil tree's text; dispatch compares it exactly
    bool inTree;
    QString formName;    // the form model's window name
    int pages;
    QString key;         // the calibration table
    QString keyWithoutDots;  // the "_bk" table used when dots are switched off; empty if none
    QString documentId;
    DocumentFamily family;
};

// All 21 types, indexed by number.
const QList<DocumentType>& documentTypes();
// The order in which captions are tried and forms are saved and loaded.
const QList<const DocumentType*>& documentTypesInDispatchOrder();
// The eleven types listed under every pupil, in tree order.
const QList<const DocumentType*>& treeDocumentTypes();
// The type whose caption equals `caption` exactly (no trimming, case-sensitive); nullptr if none.
const DocumentType* documentTypeForCaption(const QString& caption);
// The calibration table to use; the "_bk" one only where the document has it.
QString calibrationKey(const DocumentType& type, bool printWithoutDots);
