#pragma once

#include "Language.h"
#include "Texts.h"

// Texts of the read page. "%1" is the port's name.
namespace k30::readtexts {

inline constexpr Text kReadDataTab{"读取信息", "Read Data"};
inline constexpr Text kOpenPort{"打开串口", "Open COM"};
inline constexpr Text kPortLabel{"COM口", "COM number"};
inline constexpr const Text& kNotice = texts::kNotice;
inline constexpr Text kDataNotSaved{"当前数据尚未保存，是否保存", "Data is not saved. Do you need to save it?"};

inline constexpr Text kNoPortChosen{"没有串口被选中", "No port is selected"};
inline constexpr Text kPortNotFound{"没有发现此串口%1…………", "Port %1 was not found…"};
inline constexpr Text kPortReady{"串口%1已经准备好，请发送数据…………", "Port %1 is ready, please send the data…"};
inline constexpr Text kPortIsOpen{"串口%1已经打开", "Port %1 is open"};
inline constexpr Text kConfirmEnd{"请确认数据传送完毕,否则将导致数据不完整!",
                                  "Please confirm that the transfer has finished, or the data will be incomplete!"};
inline constexpr const Text& kConfirmCaption = texts::kNotice;

// Opening a port while received bytes wait unaccepted. %1: the number of bytes.
inline constexpr Text kContinueQuestion{
    "已收到 %1 字节数据，尚未确认接收。\n"
    "选择“是”接着这些数据继续接收同一次传送；选择“否”放下这些数据，重新开始接收。"
    "两种情况下这些数据都存入传送存档。",
    "%1 bytes have been received but not accepted.\n"
    "Yes continues that transfer after those bytes; No sets them aside and starts afresh. "
    "Either way they are kept in the transfer archive."};

// %1: what went wrong, with the folder.
inline constexpr Text kArchiveFailed{
    "无法把这次传送存入传送存档：\n%1\n数据已经接收；请用“保存原始数据”另行保存。",
    "This transfer could not be written to the transfer archive:\n%1\nThe data have been accepted; save them "
    "with \"Save raw data\"."};
inline constexpr Text kUnacceptedArchiveFailed{
    "无法把尚未确认的数据存入传送存档：\n%1\n这些数据仍然保留。",
    "The bytes not yet accepted could not be written to the transfer archive:\n%1\nThey are kept."};
// The reception journal. %1: the journal or archived file, %2: the system's reason.
inline constexpr Text kJournalFailed{
    "无法把收到的数据随时写入接收日志：\n%1\n数据仍在内存中接收；程序意外退出时会丢失。",
    "The received bytes cannot be written to the reception journal:\n%1\nThey are still received in memory, "
    "but would be lost if the program ended unexpectedly."};
inline constexpr Text kInterruptedReception{
    "上次运行时有一次接收被中断，已收到的数据已存入传送存档：\n%1\n是否现在打开？",
    "A reception was interrupted when the program last ran. The bytes that had arrived are kept in the "
    "transfer archive as\n%1\nOpen them now?"};
inline constexpr Text kJournalNotRecovered{
    "上次被中断的接收日志 %1 无法存入传送存档：%2\n该日志保留，下次启动时再试。",
    "The journal of an interrupted reception, %1, could not be kept in the transfer archive: %2\n"
    "It stays and is tried again at the next start."};

// %1 bytes, %2 K30 points, %3 Ev2 points, %4 seconds since the last byte.
inline constexpr Text kReceptionCounters{"已接收 %1 字节：%2 个K30测试点，%3 个Ev2测试点；距上一字节 %4 秒",
                                         "Received %1 bytes: %2 K30 points, %3 Ev2 points; last byte %4 s ago"};

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
