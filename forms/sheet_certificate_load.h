#pragma once

class FormModel;
class FormRegistry;
class QWidget;

// "Wczytaj dane z wybranego świadectwa…" of a grade-sheet year page: the column of `sheet`
// takes the year of the certificate chosen in the page's list (indices as the page's two
// lists give them; -1 = nothing chosen). Without a choice it says what is missing and changes
// nothing. True when the data were copied. Nothing is saved.
bool WczytajDaneZSwiadectwa(QWidget* parent, FormRegistry& forms, FormModel& sheet,
                            int certificateIndex, int columnIndex);
