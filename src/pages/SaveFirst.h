#pragma once

#include <functional>

#include "Language.h"

class QWidget;

namespace k30 {

class Prompt;
class TestDataStore;

namespace save_first_texts {
inline constexpr Text kAcceptQuestion{
    "当前数据尚未保存，接收的数据将替换它。是否先保存？\n“是”保存后接收，“否”放弃当前数据并接收，“取消”暂不接收（接收的数据已存入传输档案）。",
    "The current data are not saved and the received transfer would replace them. Save them first?\n"
    "Yes saves, then accepts; No discards them and accepts; Cancel keeps the transfer waiting (it is in the "
    "transfer archive)."};
}  // namespace save_first_texts

// The one question of every command that would replace or drop work that no
// file holds (the document's answer). True when the command may go on:
// nothing was unsaved, the operator answered No, or answered Yes and
// saveWork ran and left nothing unsaved. A Yes that does not end there (a
// cancelled dialog, a failed write, work no file can hold) stops the command,
// and so does Cancel where it is offered.
bool AskToSaveFirst(Prompt& prompt, QWidget* parent, const TestDataStore& store, const Text& caption,
                    const Text& question, const std::function<bool()>& saveWork, bool offerCancel = false);

}  // namespace k30
