#include "SaveFirst.h"

#include "Prompt.h"
#include "TestDataStore.h"
#include "UiText.h"

namespace k30 {

bool AskToSaveFirst(Prompt& prompt, QWidget* parent, const TestDataStore& store, const Text& caption,
                    const Text& question, const std::function<bool()>& saveWork, bool offerCancel)
{
    if (!store.UnsavedDataPresent())
        return true;
    const Language lang = store.nLanguage;
    const Prompt::Answer answer =
        prompt.ask(parent, Tr(caption, lang), Tr(question, lang),
                   offerCancel ? Prompt::Buttons::YesNoCancel : Prompt::Buttons::YesNo, Prompt::Icon::Question,
                   Prompt::Answer::No);
    if (answer == Prompt::Answer::No)
        return true;
    if (answer != Prompt::Answer::Yes)
        return false;
    return saveWork && saveWork() && !store.UnsavedDataPresent();
}

}  // namespace k30
