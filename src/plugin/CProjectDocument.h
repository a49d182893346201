#pragma once
// The shell's document for one Q7R2x project. It owns the model's device
// document, reads it from and writes it to the project file, and reports the
// model's class name ("CQ7R20Doc" ...) as its own.

#include <memory>

#include "devices/Q7R2xDoc.h"
#include "framework/CDocument.h"

class CProjectDocument : public CDocument {
    Q_OBJECT
public:
    explicit CProjectDocument(std::unique_ptr<CQ7R2xDoc> doc);
    ~CProjectDocument() override;

    const char* GetRuntimeClass() const override { return doc_->GetRuntimeClass(); }
    CDeviceDocument* DeviceDocument() override { return doc_.get(); }

    // The model's set-up of a new project.
    bool OnNewDocument() override;
    // Reads the project file. A file that cannot be read or is damaged is
    // reported ("Error: ...") and refused; a newer version is reported by the
    // reader and opens with no records.
    bool OnOpenDocument(const std::string& path) override;

protected:
    std::vector<std::uint8_t> Serialize() const override { return doc_->SaveProject(); }
    FileDialogRequest SaveAsRequest() const override;

private:
    std::unique_ptr<CQ7R2xDoc> doc_;
};

inline constexpr const char* kOpenErrorMessage = "Error: Could Not Open File.";
inline constexpr const char* kCorruptFileMessage =
    "Error: This project file is damaged and cannot be read.";
