#include "prompter.h"

#include "qt_prompter.h"

namespace {

Prompter* g_replacement = nullptr;

}  // namespace

Prompter& prompter() {
    if (g_replacement) return *g_replacement;
    static QtPrompter qtPrompter;
    return qtPrompter;
}

void setPrompter(Prompter* replacement) {
    g_replacement = replacement;
}

PromptAnswer cautiousAnswer(PromptButtons buttons) {
    switch (buttons) {
        case PromptButtons::Ok:
            return PromptAnswer::Ok;
        case PromptButtons::YesNo:
        case PromptButtons::YesNoDefaultNo:
            return PromptAnswer::No;
        case PromptButtons::YesNoCancel:
        case PromptButtons::OkCancel:
            return PromptAnswer::Cancel;
    }
    return PromptAnswer::Cancel;
}
