#pragma once

class TFGlowna;
class UpdateCheck;

// "Sprawdź czy jest nowa wersja" (automatic = false) and the quiet check at the end of start-up
// (automatic = true). Asks the update server for its version and returns at once; the answer
// comes back to the main window: questions and messages through the prompt seam, and when the
// user wants the new release, the update timer, whose handler shows the update window. The
// returned check belongs to the window and is deleted after it finished.
UpdateCheck* vFunUpdateCheck(TFGlowna& window, bool automatic);

// The update timer's work: shows the update window; when it handed the installer over, the
// quit flag is set so the main window closes without its questions.
void vFunShowUpdateWindow(TFGlowna& window);
