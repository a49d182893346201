#pragma once
// Paths and texts travel through the program as std::string bytes in the
// local encoding (what the file system and the command line hand over); these
// convert them to and from Qt's strings, so a name with any letters comes
// back as the same bytes.

#include <QString>

#include <string>

inline QString FromLocal(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToLocal(const QString& text) {
    return text.toLocal8Bit().toStdString();
}
