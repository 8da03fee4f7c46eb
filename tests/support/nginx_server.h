#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace test_support {

class ServerProcess;

// A real nginx on a free loopback port, run in the foreground as a child of
// the test, with its configuration, pid file, logs and temporary folders in
// `workDir`. It serves `root`; `locations` is placed inside the server block.
// The access log has one line per request: method, URI, Range header (or
// "-") and status.
class NginxServer {
public:
    NginxServer(std::filesystem::path workDir, std::filesystem::path root, std::string locations);
    ~NginxServer();
    NginxServer(const NginxServer&) = delete;
    NginxServer& operator=(const NginxServer&) = delete;

    // False (with the reason in Error) when nginx is missing or does not come up.
    bool Start();
    void Stop();

    static bool Installed();
    int Port() const { return port_; }
    std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port_); }
    const std::string& Error() const { return error_; }
    std::vector<std::string> AccessLog() const;

private:
    bool Launch();

    std::filesystem::path workDir_;
    std::filesystem::path root_;
    std::string locations_;
    int port_ = 0;
    std::unique_ptr<ServerProcess> process_;
    std::string error_;
};

}  // namespace test_support
