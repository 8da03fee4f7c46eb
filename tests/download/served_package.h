#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "download/checksum.h"
#include "fault_server.h"
#include "package_file.h"
#include "scratch_home.h"

// A package file in a scratch home, served by the fault server on loopback,
// and the path a downloader is to save it to.
class ServedPackage {
public:
    explicit ServedPackage(uint64_t size,
                           const std::function<void(fault_server::Options&)>& adjust = {})
        : source(MakeSource(home, size)),
          target(home.tmp() / "Brushwell_setup.exe"),
          server(MakeOptions(source, adjust)) {
        EXPECT_TRUE(server.Start()) << server.Error();
    }

    std::wstring Url() const { return std::filesystem::path(server.RedirectUrl()).wstring(); }

    // The transfers (GET of the package), in the order they arrived.
    std::vector<fault_server::LogEntry> Transfers() const {
        std::vector<fault_server::LogEntry> transfers;
        for (const auto& entry : server.Log()) {
            if (entry.method == "GET" && entry.path == server.PackagePath()) {
                transfers.push_back(entry);
            }
        }
        return transfers;
    }

    std::vector<std::string> TransferRanges() const {
        std::vector<std::string> ranges;
        for (const auto& entry : Transfers()) ranges.push_back(entry.range);
        return ranges;
    }

    bool TargetMatchesSource() const { return FileChecksum(target.string()) == server.Md5(); }

    test_support::ScratchHome home;
    std::filesystem::path source;
    std::filesystem::path target;
    fault_server::Server server;

private:
    static std::filesystem::path MakeSource(const test_support::ScratchHome& home, uint64_t size) {
        std::filesystem::create_directories(home.tmp() / "served");
        const auto path = home.tmp() / "served" / "package.bin";
        WritePackageFile(path, size);
        return path;
    }

    static fault_server::Options MakeOptions(
        const std::filesystem::path& source,
        const std::function<void(fault_server::Options&)>& adjust) {
        fault_server::Options options;
        options.file = source.string();
        options.name = "Brushwell_full.exe";
        if (adjust) adjust(options);
        return options;
    }
};

inline constexpr uint64_t kMiB = 1048576;
