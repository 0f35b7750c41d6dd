#pragma once

class TFGlowna;

// The two formatting commands of the "Ustawienia" menu: the calibration dialog in its basic
// (variable data only) or advanced (every entry) mode, shown modally beside the preview.
// Afterwards the preview is blanked, the tree reloaded and the forms given the pupil back, so
// no sample data is left where an editing window's "OK" would save it.
void vFunShowCalibrationDialog(TFGlowna& window, bool advanced);

// The calibration changed: every editing window redraws its face and moves its fields.
void vFunRebuildEditingWindows(TFGlowna& window);
