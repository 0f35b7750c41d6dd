#pragma once

#include <QUrl>

#include <functional>

// "Open with the desktop's default handler": files (help) and addresses (contact page).
// Tests replace the handler to see what would have been opened.
bool bFunShellOpen(const QUrl& target);
void vFunSetShellOpenHandler(std::function<bool(const QUrl&)> handler);
