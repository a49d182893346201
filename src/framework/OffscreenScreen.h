#pragma once
// Windows drawn without a display (scripts, UI tests) are laid out on one
// off-screen screen of a laptop's size, so that dialogs are sized and placed
// as a user of such a screen sees them.

#include <memory>

class QTemporaryFile;

inline constexpr int kOffscreenWidth = 1366;
inline constexpr int kOffscreenHeight = 768;

// Selects the offscreen platform with that screen while it lives. Create it
// before the QApplication; when the screen's description cannot be written
// the plain offscreen platform is used.
class OffscreenScreen {
public:
    OffscreenScreen();
    ~OffscreenScreen();
    OffscreenScreen(const OffscreenScreen&) = delete;
    OffscreenScreen& operator=(const OffscreenScreen&) = delete;

private:
    // The platform reads its screens from a file named in its arguments.
    std::unique_ptr<QTemporaryFile> description_;
};
