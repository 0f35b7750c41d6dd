#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QtGlobal>

#include <functional>

// Plays the user's part in a modal dialog of type `Dialog` as soon as it is open; a dialog the
// action leaves open is cancelled, so a fault fails the test instead of hanging it.
template <typename Dialog>
void whenModalOpen(QObject* context, std::function<void(Dialog&)> act, int attemptsLeft = 50) {
    QTimer::singleShot(0, context, [=] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog) {
            act(*dialog);
            if (dialog->isVisible()) dialog->reject();
        } else if (attemptsLeft > 0) {
            whenModalOpen<Dialog>(context, act, attemptsLeft - 1);
        } else {
            qWarning("%s did not open", Dialog::staticMetaObject.className());
        }
    });
}
