#pragma once
// Drives numbered controls as a user would: the same signals fire, and a
// hidden or disabled control refuses, since a user could not reach it.
// Used by the script runner and by the page tests.

#include <string>

#include <QPixmap>

class QWidget;

namespace driver {

// The numbered control `id` among the descendants of `root`, or nullptr.
QWidget* Find(QWidget* root, int id);

// Each returns an empty string on success, otherwise what went wrong.
std::string Click(QWidget* root, int id);
// Replaces an edit's text.
std::string SetText(QWidget* root, int id, const std::string& text);
// Chooses a drop-down entry by its text or by its index.
std::string SelectText(QWidget* root, int id, const std::string& item);
std::string SelectIndex(QWidget* root, int id, int index);
// Moves a slider to `pos`, then ends the move.
std::string Slide(QWidget* root, int id, int pos);

// Whether the control is checked (check boxes, radios, toggles).
bool IsChecked(QWidget* w);
// The text a control shows (caption, edit text, chosen entry, slider position;
// a preview box gives its lines ended by LF, as shown; a control with a
// "zvText" property, such as a table, gives that text).
std::string TextOf(QWidget* w);
// The kind of a numbered control: check, radio, toggle, button, list, edit,
// label, slider, preview, table.
std::string KindOf(QWidget* w);
// One line per numbered control under `root`, in id order:
// ID KIND enabled|disabled visible|hidden checked|unchecked|- "TEXT"
std::string Describe(QWidget* root);

// A picture of the window `w` as a user sees it on screen: polished, shown
// (off-screen) and with every pending layout request and resize carried
// out, so that texts changed just before have their room when it is drawn.
QPixmap Picture(QWidget* w);

// Escapes a text for one output line: \n, \r, \" and \\.
std::string Escape(const std::string& text);

}  // namespace driver
