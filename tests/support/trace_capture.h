#pragma once

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

// Points the trace sink at a file of this test process before the first trace
// line is written, and reads back what was written after a mark.
class TraceCapture {
public:
    static TraceCapture& Instance() {
        static TraceCapture capture;
        return capture;
    }

    size_t Mark() const { return ReadAll().size(); }
    std::string Since(size_t mark) const { return ReadAll().substr(mark); }

private:
    TraceCapture() {
        const char* tmp = std::getenv("TMPDIR");
        path_ = std::string(tmp ? tmp : "/tmp") + "/brushwell-trace-" + std::to_string(getpid());
        std::remove(path_.c_str());
        setenv("BRUSHWELL_TRACE", path_.c_str(), 1);
    }
    ~TraceCapture() { std::remove(path_.c_str()); }

    std::string ReadAll() const {
        std::ifstream in(path_, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    std::string path_;
};
