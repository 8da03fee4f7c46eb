#include "scratch_home.h"

#include <stdlib.h>
#include <unistd.h>

#include <stdexcept>
#include <system_error>

namespace test_support {

ScratchHome::ScratchHome() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/brushwell-home-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
    for (const auto& dir : {home(), config(), data(), runtime(), tmp()}) {
        std::filesystem::create_directories(dir);
    }
    std::filesystem::permissions(runtime(), std::filesystem::perms::owner_all);
    Set("HOME", home());
    Set("XDG_CONFIG_HOME", config());
    Set("XDG_DATA_HOME", data());
    Set("XDG_RUNTIME_DIR", runtime());
    Set("TMPDIR", tmp());
}

ScratchHome::~ScratchHome() {
    for (const auto& [name, value] : saved_) {
        if (value) {
            setenv(name.c_str(), value->c_str(), 1);
        } else {
            unsetenv(name.c_str());
        }
    }
    std::error_code ignored;
    std::filesystem::permissions(root_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(root_, ignored);
}

void ScratchHome::Set(const char* name, const std::filesystem::path& value) {
    const char* old = std::getenv(name);
    saved_.emplace(name, old ? std::optional<std::string>(old) : std::nullopt);
    setenv(name, value.c_str(), 1);
}

}  // namespace test_support
