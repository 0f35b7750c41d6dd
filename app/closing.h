#pragma once

class TFGlowna;

// Decides a close request of the main window: unless the program must end at once, offers to
// save unsaved work and then asks whether to end. True when the window may close.
bool bFunMayCloseMainWindow(TFGlowna& window);
