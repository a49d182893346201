#pragma once
// Command ids of the standard commands that the shell handles itself. The
// plug-in's own commands (43000 and up) are defined beside their handlers.

namespace fwcmd {
inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileClose = 57602;
inline constexpr int FileSave = 57603;
inline constexpr int FileSaveAs = 57604;
inline constexpr int FilePrintSetup = 57606;
inline constexpr int FilePrint = 57607;
inline constexpr int FileMruFirst = 57616;  // "Recent File", then one id per entry
inline constexpr int FileMruLast = 57631;
inline constexpr int EditUndo = 57643;
inline constexpr int EditRedo = 57644;
inline constexpr int WindowCascade = 57650;
inline constexpr int WindowTile = 57651;
inline constexpr int AppAbout = 57664;
inline constexpr int AppExit = 57665;
inline constexpr int ViewToolbar = 59392;
inline constexpr int ViewStatusBar = 59393;
inline constexpr int ViewProblems = 59394;
inline constexpr int WindowNext = 57680;
inline constexpr int WindowPrevious = 57681;
// The Window menu's list of open projects, one id per window.
inline constexpr int WindowFirst = 65280;
inline constexpr int WindowLast = 65311;
}  // namespace fwcmd
