// build_pictures DIR
//
// Draws the program's pictures into DIR: the blank sheets shown under the preview pages, the
// eagle mark (a QPicture recording), the stamp place and the school-data template's two tabs.
// Each file goes through QSaveFile, so a failed run never leaves a half-written picture that a
// later build step would take as done.

#include <cstdio>
#include <functional>

#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>
#include <QString>

#include "forms/school_template_layout.h"
#include "pictures/eagle_mark.h"
#include "pictures/school_template_pictures.h"
#include "pictures/sheet_previews.h"
#include "pictures/stamp_place.h"

namespace {

void fail(const QString& subject, const QString& message) {
    std::fprintf(stderr, "build_pictures: %s: %s\n", qPrintable(subject), qPrintable(message));
}

bool writeFile(const QString& path, const std::function<bool(QIODevice&)>& write) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        fail(path, file.errorString());
        return false;
    }
    if (!write(file)) {
        file.cancelWriting();
        fail(path, QStringLiteral("cannot encode the picture"));
        return false;
    }
    if (!file.commit()) {
        fail(path, file.errorString());
        return false;
    }
    return true;
}

bool writeBitmap(const QString& path, const QImage& image) {
    return writeFile(path, [&](QIODevice& device) { return image.save(&device, "BMP"); });
}

}  // namespace

int main(int argc, char** argv) {
    // Painting paths and recording pictures needs the GUI side of Qt (run offscreen at build time).
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: build_pictures DIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(dir.path())) {
        fail(dir.path(), QStringLiteral("cannot create the directory"));
        return 1;
    }

    using pictures::SheetKind;
    struct Sheet {
        const char* name;
        SheetKind kind;
    };
    // Both sides of every certificate are security paper; only the front carries the band.
    const Sheet sheets[] = {
        {"sw_str1_prw.bmp", SheetKind::Certificate},
        {"sw_str1_prw_wyr.bmp", SheetKind::CertificateWithDistinction},
        {"sw_str2_prw.bmp", SheetKind::Certificate},
        {"wywiadowka_prw.bmp", SheetKind::Note},
        {"arkusz_prw.bmp", SheetKind::GradeSheet},
    };
    bool ok = true;
    for (const Sheet& sheet : sheets) {
        ok = writeBitmap(dir.filePath(QLatin1String(sheet.name)),
                         pictures::sheetPreview(sheet.kind)) &&
             ok;
    }
    ok = writeBitmap(dir.filePath(QStringLiteral("m_p.bmp")), pictures::stampPlace()) && ok;
    ok = writeBitmap(dir.filePath(QLatin1String(school_template_layout::kCertificatePicture)),
                     pictures::schoolTemplateCertificate()) &&
         ok;
    ok = writeBitmap(dir.filePath(QLatin1String(school_template_layout::kGradeSheetPicture)),
                     pictures::schoolTemplateGradeSheet()) &&
         ok;
    QPicture eagle = pictures::eagleMark();
    ok = writeFile(dir.filePath(QStringLiteral("orzel.emf")),
                   [&](QIODevice& device) { return eagle.save(&device); }) &&
         ok;
    return ok ? 0 : 1;
}
