#include "file_commands.h"

#include "main_window.h"

bool bFunWczytajPlikSwiadectw(TFGlowna& /*window*/, QString /*path*/) {
    return false;  // filled by the certificate file commands
}
