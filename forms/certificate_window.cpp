#include "certificate_window.h"

#include "certificate_family.h"
#include "document_window.h"

DocumentWindow* createCertificateWindow(FormModel& certificate, const DocumentLayout& layout,
                                        PupilSaver& saver, std::function<QString()> currentTable,
                                        QWidget* parent) {
    const CertificateMember* member = certificateMember(certificate.windowName());
    if (!member || !currentTable) return nullptr;
    auto accept = [&saver, currentTable = std::move(currentTable)](FormModel& form) {
        return acceptCertificate(form, saver, currentTable());
    };
    return new DocumentWindow(certificate, member->windowTitle, layout, accept, parent);
}
