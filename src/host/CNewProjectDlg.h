#pragma once
// File > New when chosen as a command (Ctrl+N): a list of the templates'
// File New names ("Q7R20" ... "Q7R27") with OK and Cancel.

#include <string>
#include <vector>

#include "framework/CModalDialog.h"

class QListWidget;

class CNewProjectDlg : public CModalDialog {
    Q_OBJECT
public:
    explicit CNewProjectDlg(const std::vector<std::string>& names, QWidget* parent = nullptr);

    // The chosen name (the first one until another is chosen).
    std::string SelectedName() const;
    // Chooses `name`; false when the list has no such entry.
    bool Select(const std::string& name);

private:
    QListWidget* list_;
};
