// Any byte sequence must end in a loaded document or a clean read failure;
// a loaded document must also save, generate and read back.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "devices/Models.h"
#include "devices/Q7R2xDoc.h"
#include "model/Ui.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int model = size > 0 && models::IsModelCode(data[0]) ? data[0] - models::kFirstCode : 0;
    auto doc = CreateModelDocument(model);
    ScriptUi ui;
    if (doc->LoadProject(std::span(data, size), ui) != LoadStatus::Loaded) return 0;

    std::string text;
    doc->DeviceData.GenerateSource(text);
    doc->DeviceData.CodeFormat ^= 1;
    text.clear();
    doc->DeviceData.GenerateSource(text);

    // The file stores each record's Id, not its key: only a document whose
    // keys equal the Ids (all but converted 1.3 files) reads back the same.
    for (const auto& [key, record] : doc->DeviceData.Peripherals)
        if (key != record.Id) return 0;
    const auto saved = doc->SaveProject();
    auto again = CreateModelDocument(model);
    if (again->LoadProject(saved, ui) != LoadStatus::Loaded) std::abort();
    if (again->SaveProject() != saved) std::abort();
    return 0;
}
