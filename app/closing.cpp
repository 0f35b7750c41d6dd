#include "closing.h"

#include "forms/prompter.h"
#include "main_window.h"

bool bFunMayCloseMainWindow(TFGlowna& window) {
    if (window.state().quit) return true;
    if (window.state().dirty &&
        prompter().message(&window, QStringLiteral("Czy chcesz zapisać zmiany ?"), QString(),
                           PromptIcon::None, PromptButtons::YesNo) == PromptAnswer::Yes) {
        // Whatever the save's outcome, the user is asked next whether to end.
        window.Zapisz1Click();
    }
    return prompter().message(&window, QStringLiteral("Czy na pewno chcesz zakończyć pracę ?"),
                              QStringLiteral("Koniec"), PromptIcon::Question,
                              PromptButtons::YesNo) == PromptAnswer::Yes;
}
