#pragma once

#include <atomic>
#include <cstdint>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Server;
class DataSink;
}  // namespace httplib

// A download server on loopback that behaves like the maker's CDN (a
// redirect to "/<md5>/<file name>", HEAD with Content-Length, open and closed
// byte ranges) and injects faults into the transfers a test chooses. Every
// request is logged (method, path, range, status) so tests can count attempts
// and ranges.
namespace fault_server {

enum class ChecksumSegment {
    Real,     // the file's MD5 in lowercase
    Upper,    // the file's MD5 in uppercase
    Wrong,    // 32 hexadecimal digits that are not the file's MD5
    Missing,  // "/files/<name>": no 32-character segment
};

// Faults for the transfers (GET of the file): the first `faultedTransfers`
// of them get every fault set here; -1 faults them all.
struct TransferFaults {
    int faultedTransfers = 0;
    int64_t rateLimit = 0;        // bytes per second for this transfer; 0: the server's
    int64_t cutAfterBytes = -1;   // close the connection after this many body bytes
    int status = 0;               // answer this status (404, 500...) instead of the file
    double stallSeconds = 0.0;    // then send nothing for this long...
    int64_t stallAfterBytes = 0;  // ...once this many body bytes have gone out
};

struct Options {
    std::string file;  // the file to serve
    std::string name;  // its name in URLs; the file's base name when empty
    std::string redirectPath = "/software/351";
    ChecksumSegment checksum = ChecksumSegment::Real;
    std::string bindAddress = "127.0.0.1";
    int port = 0;           // 0: pick a free port
    int64_t rateLimit = 0;  // bytes per second for each transfer; 0: none
    int allStatus = 0;      // answer every request with this status (a missing package)
    std::string logFile;    // also append the request log here
    TransferFaults faults;
};

struct LogEntry {
    std::string method;
    std::string path;
    std::string range;  // the Range header as sent, empty when none
    int status = 0;
};

class Server {
public:
    explicit Server(Options options);
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Reads the file, binds and starts serving on a thread of its own. False
    // (with a reason in Error) when the file cannot be read or the port bound.
    bool Start();
    void Stop();

    int Port() const { return port; }
    const std::string& Error() const { return error; }
    const std::string& Md5() const { return md5; }
    std::string BaseUrl() const;      // "http://127.0.0.1:<port>"
    std::string RedirectUrl() const;  // BaseUrl + redirect path
    std::string PackagePath() const;  // where the redirect leads

    std::vector<LogEntry> Log() const;
    // Changes the faults between two downloads of one test; counting starts
    // again from the next transfer.
    void SetFaults(const TransferFaults& faults);
    // Transfer i (from now on) gets schedule[i] (its faultedTransfers is not
    // used); later transfers get none.
    void SetFaultSchedule(std::vector<TransferFaults> schedule);

private:
    struct Transfer;
    bool ServeBytes(Transfer& transfer, size_t offset, size_t length, httplib::DataSink& sink);
    bool Pause(double seconds) const;
    void Record(LogEntry entry);

    Options options;
    std::string md5;
    int64_t fileSize = 0;
    std::string error;
    int port = 0;
    std::unique_ptr<httplib::Server> http;
    std::thread listener;
    std::atomic<bool> stopping = false;

    mutable std::mutex mutex;
    TransferFaults faults;
    std::vector<TransferFaults> schedule;
    int transfersSeen = 0;
    std::vector<LogEntry> log;
    std::ofstream logStream;
};

}  // namespace fault_server
