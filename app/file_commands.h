#pragma once

#include <QString>

class TFGlowna;

// Opens the certificate data file `path` into the working database and shows its pupils.
bool bFunWczytajPlikSwiadectw(TFGlowna& window, QString path);
