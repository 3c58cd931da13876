#pragma once

#include <functional>

#include "Language.h"

class QWidget;

namespace k30 {

class Prompt;
class TestDataStore;

// The question asked by every command that replaces the store's points while
// they are unsaved (a yes/no box, "No" as default). True when the command may
// go on: nothing was unsaved, the operator answered No, or answered Yes and
// saveProject reported the points written. A Yes followed by a cancelled
// choice or a failed save stops the command: nothing was saved, so nothing
// may be replaced.
bool AskToSaveFirst(Prompt& prompt, QWidget* parent, const TestDataStore& store, const Text& caption,
                    const Text& question, const std::function<bool()>& saveProject);

}  // namespace k30
