#pragma once

// The pictures under the school-data template's two tabs: the school part of a certificate and
// of the grade sheet's title page, with the form's texts and a dotted line under every field.

#include <QImage>

namespace pictures {

QImage schoolTemplateCertificate();
QImage schoolTemplateGradeSheet();

}  // namespace pictures
