#include "nginx_server.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "server_process.h"

namespace test_support {

namespace {

constexpr const char* kNginx = "/usr/sbin/nginx";

// A port the kernel just handed out and released; nginx binds it right after.
int FreeLoopbackPort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        port = ntohs(address.sin_port);
    }
    close(fd);
    return port;
}

}  // namespace

NginxServer::NginxServer(std::filesystem::path workDir, std::filesystem::path root,
                         std::string locations)
    : workDir_(std::move(workDir)), root_(std::move(root)), locations_(std::move(locations)) {}

NginxServer::~NginxServer() { Stop(); }

bool NginxServer::Installed() { return access(kNginx, X_OK) == 0; }

bool NginxServer::Start() {
    if (!Installed()) {
        error_ = "nginx is not installed";
        return false;
    }
    // The port can be taken between the probe and nginx's bind: try again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (Launch()) return true;
    }
    return false;
}

bool NginxServer::Launch() {
    port_ = FreeLoopbackPort();
    std::filesystem::create_directories(workDir_ / "temp");
    const std::string dir = workDir_.string();
    std::filesystem::remove(workDir_ / "nginx.pid");
    {
        std::ofstream config(workDir_ / "nginx.conf");
        if (geteuid() == 0) config << "user root;\n";  // workers may read root-owned test files
        config << "worker_processes 1;\n"
               << "pid " << dir << "/nginx.pid;\n"
               << "error_log " << dir << "/error.log;\n"
               << "events { worker_connections 64; }\n"
               << "http {\n"
               << "  default_type application/octet-stream;\n"
               << "  log_format brief '$request_method $uri $http_range $status';\n"
               << "  access_log " << dir << "/access.log brief;\n"
               << "  client_body_temp_path " << dir << "/temp/body;\n"
               << "  proxy_temp_path " << dir << "/temp/proxy;\n"
               << "  fastcgi_temp_path " << dir << "/temp/fastcgi;\n"
               << "  uwsgi_temp_path " << dir << "/temp/uwsgi;\n"
               << "  scgi_temp_path " << dir << "/temp/scgi;\n"
               << "  server {\n"
               << "    listen 127.0.0.1:" << port_ << ";\n"
               << "    root " << root_.string() << ";\n"
               << "    " << locations_ << "\n"
               << "  }\n"
               << "}\n";
    }
    const std::string config = (workDir_ / "nginx.conf").string();
    const std::string errorLog = (workDir_ / "error.log").string();
    try {
        process_ = std::make_unique<ServerProcess>(std::vector<std::string>{
            kNginx, "-p", dir, "-e", errorLog, "-c", config, "-g", "daemon off;"});
    } catch (const std::runtime_error& error) {
        error_ = error.what();
        return false;
    }
    // nginx writes its pid file once it listens.
    for (int waited = 0; waited < 5000; waited += 10) {
        if (process_->Exited()) {
            process_.reset();
            std::ifstream log(errorLog);
            error_ = "nginx ended: " + std::string(std::istreambuf_iterator<char>(log), {});
            return false;
        }
        if (std::filesystem::exists(workDir_ / "nginx.pid")) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    error_ = "nginx did not come up";
    Stop();
    return false;
}

void NginxServer::Stop() { process_.reset(); }

std::vector<std::string> NginxServer::AccessLog() const {
    std::ifstream in(workDir_ / "access.log");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace test_support
