#include "fault_server.h"

#include <httplib.h>
#include <openssl/evp.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>

namespace fault_server {

namespace {

constexpr size_t kChunk = 64 * 1024;

std::string Md5Of(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    EVP_DigestInit_ex(context, EVP_md5(), nullptr);
    std::vector<char> block(1 << 16);
    while (in.read(block.data(), static_cast<std::streamsize>(block.size())) || in.gcount() > 0) {
        EVP_DigestUpdate(context, block.data(), static_cast<size_t>(in.gcount()));
    }
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(context, digest, &length);
    EVP_MD_CTX_free(context);
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    for (unsigned int i = 0; i < length; ++i) {
        text += kHex[digest[i] >> 4];
        text += kHex[digest[i] & 0x0F];
    }
    return text;
}

std::string ChecksumSegmentText(const std::string& md5, ChecksumSegment kind) {
    switch (kind) {
        case ChecksumSegment::Real:
            return md5;
        case ChecksumSegment::Upper: {
            std::string upper = md5;
            std::transform(upper.begin(), upper.end(), upper.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
            return upper;
        }
        case ChecksumSegment::Wrong: {
            // Same length and alphabet, different digest.
            std::string wrong = md5;
            std::reverse(wrong.begin(), wrong.end());
            return wrong == md5 ? std::string(32, 'f') : wrong;
        }
        case ChecksumSegment::Missing:
            return "files";
    }
    return md5;
}

}  // namespace

// The state of one transfer: the faults it got and how far it is.
struct Server::Transfer {
    std::ifstream file;
    bool faulted = false;
    TransferFaults faults;
    int64_t sent = 0;
    bool stalled = false;
    std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
};

Server::Server(Options options) : options(std::move(options)), faults(this->options.faults) {
    if (this->options.name.empty()) {
        this->options.name = std::filesystem::path(this->options.file).filename().string();
    }
}

Server::~Server() { Stop(); }

bool Server::Start() {
    std::error_code sizeError;
    fileSize = static_cast<int64_t>(std::filesystem::file_size(options.file, sizeError));
    md5 = Md5Of(options.file);
    if (sizeError || md5.empty()) {
        error = "cannot read " + options.file;
        return false;
    }
    if (!options.logFile.empty()) {
        logStream.open(options.logFile, std::ios::app);
        if (!logStream) {
            error = "cannot write " + options.logFile;
            return false;
        }
    }

    http = std::make_unique<httplib::Server>();
    http->Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
        const std::string range = request.get_header_value("Range");
        auto answer = [&](int status, const std::string& body) {
            // The library would cut an error page to the requested range (or
            // answer 416); a real server sends the page whole.
            const_cast<httplib::Request&>(request).ranges.clear();
            response.status = status;
            response.set_content(body, "text/plain");
            Record({request.method, request.path, range, status});
        };
        if (options.allStatus != 0) return answer(options.allStatus, "no such package\n");
        if (request.path == options.redirectPath) {
            response.set_redirect(PackagePath(), 302);
            return Record({request.method, request.path, range, 302});
        }
        if (request.path != PackagePath()) return answer(404, "not found\n");

        auto transfer = std::make_shared<Transfer>();
        if (request.method == "GET") {
            std::lock_guard lock(mutex);
            if (transfersSeen < static_cast<int>(schedule.size())) {
                transfer->faults = schedule[static_cast<size_t>(transfersSeen)];
                transfer->faulted = true;
            } else {
                transfer->faults = faults;
                transfer->faulted =
                    faults.faultedTransfers < 0 || transfersSeen < faults.faultedTransfers;
            }
            ++transfersSeen;
        }
        if (transfer->faulted && transfer->faults.status != 0) {
            return answer(transfer->faults.status, "refused\n");
        }
        transfer->file.open(options.file, std::ios::binary);
        response.set_content_provider(
            static_cast<size_t>(fileSize), "application/octet-stream",
            [this, transfer](size_t offset, size_t length, httplib::DataSink& sink) {
                return ServeBytes(*transfer, offset, length, sink);
            });
        Record({request.method, request.path, range, range.empty() ? 200 : 206});
    });

    port = options.port == 0
               ? http->bind_to_any_port(options.bindAddress)
               : (http->bind_to_port(options.bindAddress, options.port) ? options.port : -1);
    if (port <= 0) {
        error = "cannot listen on " + options.bindAddress;
        return false;
    }
    listener = std::thread([this] { http->listen_after_bind(); });
    // A stop that comes before the loop runs would be lost and the join hang.
    for (int waited = 0; !http->is_running() && waited < 5000; ++waited) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void Server::Stop() {
    stopping = true;
    if (http) http->stop();
    if (listener.joinable()) listener.join();
}

bool Server::ServeBytes(Transfer& transfer, size_t offset, size_t length, httplib::DataSink& sink) {
    if (stopping) return false;
    const TransferFaults& f = transfer.faults;
    int64_t chunk = static_cast<int64_t>(std::min(length, kChunk));
    const int64_t rate = transfer.faulted && f.rateLimit > 0 ? f.rateLimit : options.rateLimit;
    if (rate > 0) chunk = std::min<int64_t>(chunk, std::max<int64_t>(1, rate / 20));
    if (transfer.faulted && f.stallSeconds > 0 && !transfer.stalled) {
        if (transfer.sent >= f.stallAfterBytes) {
            transfer.stalled = true;
            if (!Pause(f.stallSeconds)) return false;
        } else {
            chunk = std::min(chunk, f.stallAfterBytes - transfer.sent);
        }
    }
    if (transfer.faulted && f.cutAfterBytes >= 0) {
        const int64_t left = f.cutAfterBytes - transfer.sent;
        if (left <= 0) return false;  // closes the connection mid-body
        chunk = std::min(chunk, left);
    }
    std::vector<char> bytes(static_cast<size_t>(chunk));
    transfer.file.seekg(static_cast<std::streamoff>(offset));
    transfer.file.read(bytes.data(), chunk);
    if (transfer.file.gcount() != chunk || !sink.write(bytes.data(), bytes.size())) return false;
    transfer.sent += chunk;

    if (rate > 0) {
        const auto due = transfer.started +
                         std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                             std::chrono::duration<double>(static_cast<double>(transfer.sent) /
                                                           static_cast<double>(rate)));
        const double wait =
            std::chrono::duration<double>(due - std::chrono::steady_clock::now()).count();
        if (wait > 0 && !Pause(wait)) return false;
    }
    return true;
}

bool Server::Pause(double seconds) const {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point until = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                                       std::chrono::duration<double>(seconds));
    for (Clock::time_point now = Clock::now(); now < until; now = Clock::now()) {
        if (stopping) return false;
        std::this_thread::sleep_for(
            std::min<Clock::duration>(std::chrono::milliseconds(20), until - now));
    }
    return true;
}

void Server::Record(LogEntry entry) {
    std::lock_guard lock(mutex);
    if (logStream.is_open()) {
        logStream << entry.method << ' ' << entry.path << ' '
                  << (entry.range.empty() ? "-" : entry.range) << ' ' << entry.status << std::endl;
    }
    log.push_back(std::move(entry));
}

std::string Server::BaseUrl() const {
    return "http://" + options.bindAddress + ":" + std::to_string(port);
}

std::string Server::RedirectUrl() const { return BaseUrl() + options.redirectPath; }

std::string Server::PackagePath() const {
    return "/" + ChecksumSegmentText(md5, options.checksum) + "/" + options.name;
}

std::vector<LogEntry> Server::Log() const {
    std::lock_guard lock(mutex);
    return log;
}

void Server::SetFaults(const TransferFaults& newFaults) {
    std::lock_guard lock(mutex);
    faults = newFaults;
    schedule.clear();
    transfersSeen = 0;
}

void Server::SetFaultSchedule(std::vector<TransferFaults> newSchedule) {
    std::lock_guard lock(mutex);
    schedule = std::move(newSchedule);
    faults = TransferFaults{};
    transfersSeen = 0;
}

}  // namespace fault_server
