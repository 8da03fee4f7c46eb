// fault_server: serves one package the way the download CDN does, with
// faults on request. Prints the port it listens on as the first line of its
// standard output, then serves until SIGINT or SIGTERM.
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <map>
#include <stdexcept>
#include <string>
#include <thread>

#include "fault_server.h"

namespace {

constexpr const char* kUsage = R"(usage: fault_server --file PATH [options]

Serves PATH at "/<md5>/<name>" and redirects the redirect path there; answers
HEAD with Content-Length and GET with open and closed byte ranges.

  --file PATH            the package to serve (required)
  --name NAME            its file name in URLs (default: PATH's base name)
  --port N               port to listen on; 0 picks a free one (default 0)
  --bind ADDRESS         address to listen on (default 127.0.0.1)
  --redirect-path PATH   path that redirects to the package (default /software/351)
  --checksum KIND        checksum segment: real, upper, wrong or missing (default real)
  --rate BYTES           limit each transfer to BYTES per second
  --status-all CODE      answer every request with CODE (a missing package)
  --log FILE             append one line per request: method path range status
Faults for the transfers (GET of the package):
  --fault-transfers N    fault the first N transfers; -1 faults all (default: all
                         when any fault below is given)
  --cut-after BYTES      close the connection after BYTES body bytes
  --transfer-status CODE answer CODE instead of the package
  --stall SECONDS        send nothing for SECONDS ...
  --stall-after BYTES    ... once BYTES body bytes have gone out (default 0)

The first line of standard output is the port number.
)";

std::atomic<bool> stopRequested = false;

void RequestStop(int) { stopRequested = true; }

fault_server::ChecksumSegment ParseChecksum(const std::string& text) {
    static const std::map<std::string, fault_server::ChecksumSegment> kinds = {
        {"real", fault_server::ChecksumSegment::Real},
        {"upper", fault_server::ChecksumSegment::Upper},
        {"wrong", fault_server::ChecksumSegment::Wrong},
        {"missing", fault_server::ChecksumSegment::Missing},
    };
    const auto found = kinds.find(text);
    if (found == kinds.end()) throw std::invalid_argument("unknown checksum kind " + text);
    return found->second;
}

fault_server::Options ParseArguments(int argc, char** argv) {
    fault_server::Options options;
    bool anyFault = false;
    bool countGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--help" || name == "-h") {
            std::cout << kUsage;
            std::exit(0);
        }
        if (i + 1 >= argc) throw std::invalid_argument("missing value for " + name);
        const std::string value = argv[++i];
        if (name == "--file")
            options.file = value;
        else if (name == "--name")
            options.name = value;
        else if (name == "--port")
            options.port = std::stoi(value);
        else if (name == "--bind")
            options.bindAddress = value;
        else if (name == "--redirect-path")
            options.redirectPath = value;
        else if (name == "--checksum")
            options.checksum = ParseChecksum(value);
        else if (name == "--rate")
            options.rateLimit = std::stoll(value);
        else if (name == "--status-all")
            options.allStatus = std::stoi(value);
        else if (name == "--log")
            options.logFile = value;
        else if (name == "--fault-transfers") {
            options.faults.faultedTransfers = std::stoi(value);
            countGiven = true;
        } else if (name == "--cut-after") {
            options.faults.cutAfterBytes = std::stoll(value);
            anyFault = true;
        } else if (name == "--transfer-status") {
            options.faults.status = std::stoi(value);
            anyFault = true;
        } else if (name == "--stall") {
            options.faults.stallSeconds = std::stod(value);
            anyFault = true;
        } else if (name == "--stall-after") {
            options.faults.stallAfterBytes = std::stoll(value);
        } else {
            throw std::invalid_argument("unknown option " + name);
        }
    }
    if (options.file.empty()) throw std::invalid_argument("--file is required");
    if (anyFault && !countGiven) options.faults.faultedTransfers = -1;
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    fault_server::Options options;
    try {
        options = ParseArguments(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "fault_server: " << error.what() << "\n\n" << kUsage;
        return 2;
    }
    fault_server::Server server(options);
    if (!server.Start()) {
        std::cerr << "fault_server: " << server.Error() << "\n";
        return 1;
    }
    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);
    std::cout << server.Port() << std::endl;
    std::cerr << "fault_server: " << server.RedirectUrl() << " -> " << server.BaseUrl()
              << server.PackagePath() << std::endl;
    while (!stopRequested) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    server.Stop();
    return 0;
}
