#include "SaveFirst.h"

#include "Prompt.h"
#include "TestDataStore.h"
#include "UiText.h"

namespace k30 {

bool AskToSaveFirst(Prompt& prompt, QWidget* parent, const TestDataStore& store, const Text& caption,
                    const Text& question, const std::function<bool()>& saveProject)
{
    if (!store.UnsavedDataPresent())
        return true;
    const Language lang = store.nLanguage;
    const Prompt::Answer answer = prompt.ask(parent, Tr(caption, lang), Tr(question, lang),
                                             Prompt::Buttons::YesNo, Prompt::Icon::Question, Prompt::Answer::No);
    if (answer != Prompt::Answer::Yes)
        return true;
    return saveProject && saveProject();
}

}  // namespace k30
