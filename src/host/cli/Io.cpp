#include "host/cli/Io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <span>

#include "devices/Models.h"
#include "host/cli/Command.h"
#include "host/cli/ConsoleUi.h"
#include "model/FileIo.h"

namespace cli {

void Err(const std::string& text) {
    std::fprintf(stderr, "zorvant: %s\n", text.c_str());
    std::fflush(stderr);
}

std::string Shown(const std::string& path) {
    return path == "-" ? std::string("standard input") : path;
}

std::unique_ptr<CQ7R2xDoc> OpenProject(const std::string& path) {
    std::string data;
    const std::string error = fileio::ReadFileBounded(path, fileio::kProjectSizeLimit, data);
    if (!error.empty()) {
        Err(error);
        return nullptr;
    }
    return OpenProjectBytes(data, path);
}

std::unique_ptr<CQ7R2xDoc> OpenProjectBytes(const std::string& data, const std::string& path) {
    if (data.empty() || !models::IsModelCode(static_cast<unsigned char>(data[0]))) {
        Err(Shown(path) + " is not a Q7R2x project (unknown device code)");
        return nullptr;
    }
    auto doc = CreateModelDocument(static_cast<unsigned char>(data[0]) - models::kFirstCode);
    ConsoleUi ui;
    ui.Prefix = "zorvant: " + Shown(path) + ": ";
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
    switch (doc->LoadProject(bytes, ui)) {
        case LoadStatus::Loaded:
            return doc;
        case LoadStatus::Refused:  // the message went to stderr through the UI service
            return nullptr;
        case LoadStatus::Corrupt:
            Err(Shown(path) + " is corrupt or truncated");
            return nullptr;
    }
    return nullptr;
}

bool WriteOutput(const std::string& path, std::string_view bytes) {
    if (path.empty() || path == "-") {
        const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() &&
                        std::fflush(stdout) == 0;
        if (!ok) Err(std::string("cannot write standard output: ") + std::strerror(errno));
        return ok;
    }
    const std::string error = fileio::WriteFileSafely(path, bytes);
    if (!error.empty()) Err(error);
    return error.empty();
}

bool WriteOutput(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    return WriteOutput(path,
                       std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

bool FormatOption(const Args& args, std::optional<int>& format) {
    format.reset();
    if (!args.Has(kFormat)) return true;
    std::string word = args.Value(kFormat);
    for (char& ch : word)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (word == "c") format = 0;
    else if (word == "asm") format = 1;
    else return false;
    return true;
}

}  // namespace cli
