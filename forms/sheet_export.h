#pragma once

class FormModel;

// Copies one school year from a certificate into column `column` (1 or 2) of a grade-sheet
// year page: year, class (promotion certificates only), register number, every grade, the
// language, the further subjects and activities (names shared by both columns, grades per
// column) and the special achievements, one memo line per filled line of the certificate.
// Every value is written even when empty; the page's other column is not touched. Nothing is
// saved: the page keeps the values until its own "OK".
void vFunExportToSheet(const FormModel& certificate, FormModel& sheet, int column);
