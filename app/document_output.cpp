#include "document_output.h"

#include "forms/document_types.h"
#include "main_window.h"

void vFunRenderDocumentPages(TFGlowna& window, const DocumentType& type, bool print) {
    // filled by the page renderer
    Q_UNUSED(window);
    Q_UNUSED(type);
    Q_UNUSED(print);
}

void vFunShowPrintDialog(TFGlowna& window, const DocumentType& type) {
    // filled by the print dialog
    Q_UNUSED(window);
    Q_UNUSED(type);
}
