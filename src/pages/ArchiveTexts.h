#pragma once

#include "Language.h"
#include "Texts.h"

// Texts of the list of archived transfers.
namespace k30::archivetexts {

inline constexpr Text kTitle{"已存档的传送", "Archived transfers"};
inline constexpr Text kFolder{"存档文件夹：%1", "Archive folder: %1"};
inline constexpr Text kEmpty{"存档中还没有传送。", "The archive holds no transfers yet."};
inline constexpr Text kWhen{"接收时间", "Received"};
inline constexpr Text kInstrument{"仪器编号", "Instrument"};
inline constexpr Text kEv2Points{"Ev2测试点", "Ev2 points"};
inline constexpr Text kK30Points{"K30测试点", "K30 points"};
inline constexpr Text kState{"状态", "State"};
inline constexpr Text kAccepted{"已确认", "accepted"};
inline constexpr Text kUnaccepted{"未确认", "not accepted"};
inline constexpr Text kFile{"文件", "File"};
inline constexpr Text kOpen{"打开", "Open"};
inline constexpr Text kReading{"正在读取传送存档…", "Reading the transfer archive…"};
inline constexpr const Text& kCancel = texts::kCancel;

}  // namespace k30::archivetexts
