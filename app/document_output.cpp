#include "document_output.h"

#include <QCheckBox>
#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>

#include "forms/document_types.h"
#include "forms/form_registry.h"
#include "main_window.h"
#include "render/page_renderer.h"
#include "render/print_dialog.h"
#include "storage/paths.h"

namespace {

void showPreview(TFGlowna& window, const RenderResult& result) {
    MainWindowState& state = window.state();
    state.preview.takeBackgrounds(result.preview);
    for (int page = 1; page <= 2; ++page) {
        window.image(page)->setPixmap(
            QPixmap::fromImage(state.preview.composed(page, result.page(page))));
        window.image(page)->adjustSize();
    }
    if (result.preview.secondTabVisible >= 0)
        window.pageControl()->setTabVisible(1, result.preview.secondTabVisible == 1);
}

void applyHighlightRequests(TFGlowna& window, const PreviewRequests& requests) {
    if (requests.tab >= 0) window.pageControl()->setCurrentIndex(requests.tab);
    for (int page = 1; page <= 2; ++page) {
        if (requests.scroll[page - 1] >= 0)
            window.scrollBox(page)->verticalScrollBar()->setValue(requests.scroll[page - 1]);
    }
}

}  // namespace

bool bFunRenderDocumentPages(TFGlowna& window, const DocumentType& type, bool print) {
    MainWindowState& state = window.state();
    RenderRequest request;
    request.form = window.forms().forModel(type.formName);
    request.type = type.number;
    request.print = print;
    request.pages = type.pages;
    request.switches = {window.wykreskujPusteCheckBox()->isChecked(),
                        window.printNoDotsCheckBox()->isChecked(),
                        window.cbWordWrap()->isChecked()};
    request.highlight = state.highlight;
    request.selectedName = state.selectedCalibrationName;
    request.calibrationPath = strFunGetCalibFilePath(state.err, false);
    request.dataDir = strFunGetMainDirPath(state.err);
    request.dialogParent = &window;

    const RenderResult result = renderDocumentPages(state.err, request);
    state.pages = result.pages;
    state.calibration = result.entries;
    if (result.calibrationLoaded()) {
        state.print = print;
        state.printPageCount = result.pageCount;
    }
    if (result.status == RenderStatus::Previewed) showPreview(window, result);
    applyHighlightRequests(window, result.preview);
    // A page without a mark it should carry counts as not drawn.
    return result.complete()
           && result.status == (print ? RenderStatus::Printed : RenderStatus::Previewed);
}

void vFunShowPrintDialog(TFGlowna& window) {
    auto* dialog = window.programWindow<TFDrukuj>();
    if (!dialog) return;
    const MainWindowState& state = window.state();
    dialog->setDocument(state.pages, state.printPageCount);
    dialog->exec();
}
