#pragma once

#include <QString>
#include <QUrl>

#include <chrono>

#include "storage/error_stream.h"

// Where the update check and the download look. Each part is a text setting of the settings
// database; a setting that is missing or empty (a database installed by an earlier release)
// takes the default below. The host has no default: without one there is no server to ask.
struct UpdateServer {
    QString scheme;         // update_server_scheme: "https" (or "http")
    QString host;           // update_server_host, optionally with ":port"
    QString versionPath;    // update_version_path
    QString installerPath;  // update_installer_path
    QString localFileName;  // update_local_file: the downloaded installer's name

    // Invalid when the scheme is neither https nor http or the host is empty.
    QUrl versionUrl() const;
    QUrl installerUrl() const;
    // The installer's SHA-256 sum, published beside it: the installer's path plus ".sha256".
    QUrl installerChecksumUrl() const;
};

inline constexpr const char* kDefaultUpdateScheme = "https";
inline constexpr const char* kDefaultVersionPath = "/orvento/semrik/program/2014/semrik_wersja.bin";
inline constexpr const char* kDefaultInstallerPath = "/orvento/semrik/program/2014/semriksetup.exe";
inline constexpr const char* kDefaultLocalFileName = "nowy.exe";
// The folder of the program data directory that receives the downloaded installer.
inline constexpr const char* kUpdateFolderName = "aktualizacja";

UpdateServer updateServerFromSettings();

// The downloaded installer's path: the data directory's update folder plus `localFileName`,
// which must be a plain file name. "" with the reason in `err` otherwise.
QString strFunGetUpdateFilePath(ErrorStream& err, const QString& localFileName);

// How long the check waits for the version file, and the download for its next bytes, before
// the server counts as unreachable. Tests shorten it; zero restores the default.
std::chrono::milliseconds updateTimeout();
void vFunSetUpdateTimeout(std::chrono::milliseconds timeout);
