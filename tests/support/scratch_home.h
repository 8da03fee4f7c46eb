#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace test_support {

// A private set of user folders for one test: HOME, XDG_CONFIG_HOME,
// XDG_DATA_HOME, XDG_RUNTIME_DIR and TMPDIR all point below a fresh folder
// for the life of the object (children started meanwhile inherit them), and
// the old values come back afterwards. The folder is removed at the end.
class ScratchHome {
public:
    ScratchHome();
    ~ScratchHome();
    ScratchHome(const ScratchHome&) = delete;
    ScratchHome& operator=(const ScratchHome&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path home() const { return root_ / "home"; }
    std::filesystem::path config() const { return root_ / "config"; }
    std::filesystem::path data() const { return root_ / "data"; }
    std::filesystem::path runtime() const { return root_ / "runtime"; }
    std::filesystem::path tmp() const { return root_ / "tmp"; }

private:
    void Set(const char* name, const std::filesystem::path& value);

    std::filesystem::path root_;
    std::map<std::string, std::optional<std::string>> saved_;
};

}  // namespace test_support
