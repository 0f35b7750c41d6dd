#include "shell_open.h"

#include <QDesktopServices>

#include <utility>

namespace {

std::function<bool(const QUrl&)>& replacementHandler() {
    static std::function<bool(const QUrl&)> handler;
    return handler;
}

}  // namespace

bool bFunShellOpen(const QUrl& target) {
    if (replacementHandler()) return replacementHandler()(target);
    return QDesktopServices::openUrl(target);
}

void vFunSetShellOpenHandler(std::function<bool(const QUrl&)> handler) {
    replacementHandler() = std::move(handler);
}
