#include "document_types.h"

#include "document_ids.h"

namespace {

DocumentType make(int number, const char* caption, bool inTree, const char* formName, int pages,
                  const char* key, bool hasKeyWithoutDots, const char* documentId,
                  DocumentFamily family) {
    const QString k = QString::fromLatin1(key);
    return {number,
            QString::fromUtf8(caption),
            inTree,
            QString::fromLatin1(formName),
            pages,
            k,
            hasKeyWithoutDots ? k + QStringLiteral("_bk") : QString(),
            QString::fromLatin1(documentId),
            family};
}

QList<DocumentType> buildCatalogue() {
    using F = DocumentFamily;
    namespace Id = DocumentIds;
    const F promotion = F::PromotionCertificate;
    const F leaving = F::SchoolLeavingCertificate;
    const F title = F::GradeSheetTitlePage;
    const F year = F::GradeSheetYearPage;
    return {
        make(0, "MEN-I/3a/2 świad. klasa IV", true, "TFKlasa4a", 2, "klasa_4a", true,
             Id::kCertificate4a, promotion),
        make(1, "MEN-I/3a-w/2 świad. klasa IV wyr.", true, "TFKlasa4awyr", 2, "klasa_4a_wyr", true,
             Id::kCertificate4aDistinction, promotion),
        make(2, "MEN-I/3a/2 świad. klasa V", true, "TFKlasa5a", 2, "klasa_5a", true,
             Id::kCertificate5a, promotion),
        make(3, "MEN-I/3a-w/2 świad. klasa V wyr.", true, "TFKlasa5awyr", 2, "klasa_5a_wyr", true,
             Id::kCertificate5aDistinction, promotion),
        make(4, "MEN-I/6a/2 świad. klasa VI", true, "TFKonieca", 2, "klasa_6a", true,
             Id::kSchoolLeavingA, leaving),
        make(5, "MEN-I/6a-w/2 świad. klasa VI wyr.", true, "TFKoniecawyr", 2, "klasa_6a_wyr", true,
             Id::kSchoolLeavingADistinction, leaving),
        make(6, "MEN-I/3/2 świad. klasa IV", false, "TFKlasa4", 2, "klasa_4", true,
             Id::kCertificate4, promotion),
        make(7, "MEN-I/3-w/2 świad. klasa IV wyr.", false, "TFKlasa4wyr", 2, "klasa_4_wyr", true,
             Id::kCertificate4Distinction, promotion),
        make(8, "MEN-I/3/2 świad. klasa V", false, "TFKlasa5", 2, "klasa_5", true,
             Id::kCertificate5, promotion),
        make(9, "MEN-I/3-w/2 świad. klasa V wyr.", false, "TFKlasa5wyr", 2, "klasa_5_wyr", true,
             Id::kCertificate5Distinction, promotion),
        make(10, "MEN-I/6/2 świad. klasa VI", false, "TFKoniec", 2, "klasa_6", true,
             Id::kSchoolLeaving, leaving),
        make(11, "MEN-I/6-w/2 świad. klasa VI wyr.", false, "TFKoniecwyr", 2, "klasa_6_wyr", true,
             Id::kSchoolLeavingDistinction, leaving),
        make(12, "wywiadówka", true, "TFWywiadowka", 1, "wywiadowka", false, Id::kMeetingReport,
             F::MeetingReport),
        make(13, "MEN-I/37b/2 arkusz str. I", true, "TFArkuszStr1b", 1, "arkusz_str1b", false,
             Id::kGradeSheet1b, title),
        make(14, "MEN-I/37b/2 arkusz klasa IV", true, "TFArkuszStr6b", 1, "arkusz_klasa_4b", false,
             Id::kGradeSheet6b, year),
        make(15, "MEN-I/37b/2 arkusz klasa V", true, "TFArkuszStr7b", 1, "arkusz_klasa_5b", false,
             Id::kGradeSheet7b, year),
        make(16, "MEN-I/37b/2 arkusz klasa VI", true, "TFArkuszStr8b", 1, "arkusz_klasa_6b", false,
             Id::kGradeSheet8b, year),
        make(17, "MEN-I/37/2 arkusz str. I", false, "TFArkuszStr1", 1, "arkusz_str1", false,
             Id::kGradeSheet1, title),
        make(18, "MEN-I/37/2 arkusz str. VI", false, "TFArkuszStr6", 1, "arkusz_klasa_4", false,
             Id::kGradeSheet6, year),
        make(19, "MEN-I/37/2 arkusz str. VII", false, "TFArkuszStr7", 1, "arkusz_klasa_5", false,
             Id::kGradeSheet7, year),
        make(20, "MEN-I/37/2 arkusz str. VIII", false, "TFArkuszStr8", 1, "arkusz_klasa_6", false,
             Id::kGradeSheet8, year),
    };
}

QList<const DocumentType*> pick(std::initializer_list<int> numbers) {
    QList<const DocumentType*> types;
    for (int n : numbers) types.append(&documentTypes().at(n));
    return types;
}

}  // namespace

const QList<DocumentType>& documentTypes() {
    static const QList<DocumentType> catalogue = buildCatalogue();
    return catalogue;
}

const QList<const DocumentType*>& documentTypesInDispatchOrder() {
    // The a and b series first: they are what the tree offers.
    static const QList<const DocumentType*> order =
        pick({0, 1, 2, 3, 4, 5, 12, 13, 14, 15, 16, 6, 7, 8, 9, 10, 11, 17, 18, 19, 20});
    return order;
}

const QList<const DocumentType*>& treeDocumentTypes() {
    static const QList<const DocumentType*> tree = pick({0, 1, 2, 3, 4, 5, 12, 13, 14, 15, 16});
    return tree;
}

const DocumentType* documentTypeForCaption(const QString& caption) {
    for (const DocumentType* type : documentTypesInDispatchOrder()) {
        if (type->caption == caption) return type;
    }
    return nullptr;
}

QString calibrationKey(const DocumentType& type, bool printWithoutDots) {
    if (printWithoutDots && !type.keyWithoutDots.isEmpty()) return type.keyWithoutDots;
    return type.key;
}
