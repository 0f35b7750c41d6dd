#pragma once

class TFGlowna;

// The commands that act on the tree's selection. Each sets what the main window's state says
// (dirty flag, remembered selection) and tells the user when the selection does not fit.

// Loads the selected pupil and shows the selected document in the preview.
void vFunTreeClick(TFGlowna& window);

void vFunAddPupil(TFGlowna& window);
void vFunEditPupilData(TFGlowna& window);
void vFunDeletePupil(TFGlowna& window);
void vFunEditDocument(TFGlowna& window);
void vFunPrintDocument(TFGlowna& window);
