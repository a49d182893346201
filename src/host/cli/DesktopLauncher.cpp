#include "host/cli/DesktopLauncher.h"

#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "host/cli/Command.h"
#include "host/cli/Io.h"

namespace cli {
namespace {

std::string& ProgramName() {
    static std::string name = "zorvant";
    return name;
}

// The library beside the executable (build tree), else in ../lib/zorvant
// (installed tree); "" when neither is there.
std::string FindLibrary() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    for (const auto& candidate : {exe.parent_path() / kDesktopLibrary,
                                  exe.parent_path() / ".." / "lib" / "zorvant" / kDesktopLibrary})
        if (std::filesystem::exists(candidate, ec)) return candidate.lexically_normal().string();
    return {};
}

}  // namespace

void SetProgramName(const char* argv0) {
    if (argv0 && *argv0) ProgramName() = argv0;
}

int StartDesktop(int argc, char** argv) {
    const std::string path = FindLibrary();
    if (path.empty()) {
        Err("cannot open the desktop program: it is not installed (no " +
            std::string(kDesktopLibrary) +
            "; install the zorvant package; the subcommands need none, see zorvant --help)");
        return kFailure;
    }
    // Global, as if linked: the device module it loads later shares its
    // libraries.
    void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_GLOBAL);
    if (!library) {
        Err(std::string("cannot open the desktop program: ") + ::dlerror());
        return kFailure;
    }
    using Entry = int (*)(int, char**);
    const auto entry = reinterpret_cast<Entry>(::dlsym(library, kDesktopEntry));
    if (!entry) {
        Err("cannot open the desktop program: " + path + " has no " + kDesktopEntry);
        return kFailure;
    }
    // Qt keeps running until exit; the library stays loaded.
    return entry(argc, argv);
}

int StartDesktop(const std::vector<std::string>& words) {
    std::vector<std::string> storage = {ProgramName()};
    storage.insert(storage.end(), words.begin(), words.end());
    std::vector<char*> argv;
    for (std::string& w : storage)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    return StartDesktop(static_cast<int>(storage.size()), argv.data());
}

}  // namespace cli
