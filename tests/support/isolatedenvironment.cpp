// Linked into every test: before main runs, point the user's settings, the machine data
// folder, the documents folder and temporary files at a fresh folder of this process, so a
// test never reads or writes the real ones.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

struct IsolatedEnvironment
{
    IsolatedEnvironment()
    {
        std::string pattern
            = (std::filesystem::temp_directory_path() / "vexa-test-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        root = pattern;
        const auto make = [this](const char *variable, const char *folder) {
            const std::filesystem::path path = root / folder;
            std::filesystem::create_directories(path);
            setenv(variable, path.c_str(), 1);
        };
        make("XDG_CONFIG_HOME", "config");
        make("XDG_DATA_HOME", "data");
        make("HOME", "home");
        make("VEXA_COMMON_APPDATA", "common");
        make("VEXA_DOCUMENTS_DIR", "documents");
        make("VEXA_TEMP_DIR", "tmp");
        make("TMPDIR", "tmp");
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }

    ~IsolatedEnvironment()
    {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }

    std::filesystem::path root;
};

const IsolatedEnvironment environment;

} // namespace
