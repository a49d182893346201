#pragma once
// Status lines of the serial pages ("UART0 is Enabled on the Crossbar", the
// Timer 3 status, the standard-rate error) change their text while the page
// is shown. Each is one line wide enough for its longest text from the
// start, so that a change never needs a new layout to be read in full.

#include <QLabel>
#include <QString>

#include <string>

inline QLabel* StatusLabel(QLabel* label, const std::string& longest) {
    label->setWordWrap(false);
    const QString text =
        QString::fromLatin1(longest.data(), static_cast<qsizetype>(longest.size()));
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(text) + 4);
    return label;
}
