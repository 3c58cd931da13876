#pragma once

#include "Language.h"

// Texts of the read page. "%1" is the port's name.
namespace k30::readtexts {

inline constexpr Text kReadDataTab{"读取信息", "Read Data"};
inline constexpr Text kOpenPort{"打开串口", "Open COM"};
inline constexpr Text kPortLabel{"COM口", "COM number"};
inline constexpr Text kNotice{"提示", "Notice"};
inline constexpr Text kDataNotSaved{"当前数据尚未保存，是否保存", "Data is not saved. Do you need to save it?"};

// The status texts and the end-of-transfer question are Chinese in both
// interface languages: the instrument's operators read them that way.
inline constexpr Text kNoPortChosen{"没有串口被选中", "没有串口被选中"};
inline constexpr Text kPortNotFound{"没有发现此串口%1…………", "没有发现此串口%1…………"};
inline constexpr Text kPortReady{"串口%1已经准备好，请发送数据…………", "串口%1已经准备好，请发送数据…………"};
inline constexpr Text kPortIsOpen{"串口%1已经打开", "串口%1已经打开"};
inline constexpr Text kConfirmEnd{"请确认数据传送完毕,否则将导致数据不完整!", "请确认数据传送完毕,否则将导致数据不完整!"};
inline constexpr Text kConfirmCaption{"提示", "提示"};

inline constexpr Text kApplicationError{"Application Error", "Application Error"};

// One more line under "port not found" when the system refused access. %1: the
// group that owns the device.
inline constexpr Text kJoinGroup{
    "没有使用此串口的权限：请把当前用户加入用户组 %1（sudo usermod -aG %1 $USER），重新登录后再试。",
    "No permission to use this port: add your user to the group %1 (sudo usermod -aG %1 $USER), then log in again."};
inline constexpr Text kPortBusy{"此串口正被其他程序使用。", "The port is in use by another program."};

// %1 the port, %2 the system's text.
inline constexpr Text kPortLost{
    "串口%1已不可用，已经关闭（%2）。\n已收到的数据全部保留：可以确认接收，也可以重新打开串口继续接收。",
    "Port %1 is no longer available and has been closed (%2).\nEverything received so far is kept: accept it, or "
    "reopen the port to continue."};
inline constexpr Text kTooMuchData{
    "收到的数据超过 16 MiB，这不是正常的传送。已停止接收并关闭串口，已收到的数据全部保留。",
    "More than 16 MiB of data arrived, which is no normal transfer. Reception has stopped and the port is closed; "
    "everything received so far is kept."};

}  // namespace k30::readtexts
