#pragma once
// Start-up of the desktop program.
//
// The order matters and is the same for anything that drives the real
// window (the script runner, tests): a QApplication, the UI service
// (SetUi), one CApplication, LoadDeviceModule (which adds the eight
// templates), then the CMainWindow.

class QString;

namespace host {

// Runs the desktop program until its main window closes; returns the exit
// status (1 when the device module cannot be found or loaded). Arguments are
// project files to open.
int RunDesktop(int argc, char** argv);

// Names, version and icon of the program (QSettings and window titles use
// them); call once the QApplication exists.
void SetApplicationIdentity();

// Where the recent-file list is kept in the program's QSettings.
extern const char* const kSettingsGroup;

}  // namespace host
