#include "calibration_command.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

#include "calibration_dialog.h"
#include "forms/document_window.h"
#include "forms/form_registry.h"
#include "main_window.h"
#include "render/editing_layout.h"

namespace {

// Both page images are covered with one rectangle in the image's pen and brush, which leaves
// no trace of the calibration preview.
void blankPreview(TFGlowna& window) {
    for (int page = 1; page <= 2; ++page) {
        QLabel* image = window.image(page);
        QPixmap picture = image->pixmap();
        if (picture.isNull()) continue;
        {
            QPainter painter(&picture);
            painter.setPen(Qt::black);
            painter.setBrush(Qt::white);
            painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));
        }
        image->setPixmap(picture);
    }
}

// The forms go back to the pupil they held before the sample data; forms that held none, or
// whose pupil cannot be read, are emptied.
void restorePupilForms(TFGlowna& window, const QString& pupilTable) {
    if (!pupilTable.isEmpty() && window.bFunLoadStudentData(pupilTable)) return;
    window.forms().clearAll();
}

}  // namespace

void vFunShowCalibrationDialog(TFGlowna& window, bool advanced) {
    auto* dialog = window.programWindow<TFKalibracja>();
    if (!dialog) return;
    const QString pupilTable = window.forms().pupilTable();

    window.state().highlight = true;
    dialog->setAdvanced(advanced);
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (screen) dialog->move(screen->availableGeometry().left() + 5, dialog->y());
    dialog->exec();

    window.state().highlight = false;
    window.state().selectedCalibrationName.clear();
    blankPreview(window);
    window.bFunReloadStudentList();
    restorePupilForms(window, pupilTable);
    if (dialog->calibrationChanged()) vFunRebuildEditingWindows(window);
}

void vFunRebuildEditingWindows(TFGlowna& window) {
    auto* layouts = window.findChild<EditingLayouts*>(QString(), Qt::FindDirectChildrenOnly);
    if (!layouts) return;
    layouts->invalidate();
    for (DocumentWindow* editing :
         window.findChildren<DocumentWindow*>(QString(), Qt::FindDirectChildrenOnly))
        editing->setDocumentLayout(layouts->layoutFor(editing->form()));
}
