#include "platform/folder_browser.h"

#include "capture_output.h"
#include "platform/text.h"

namespace platform {

bool BrowseForFolder(HWND /*owner*/, const std::wstring& title, std::wstring& folder) {
    const std::string utf8Title = WideToMultiByte(title, kCodePageUtf8);
    const std::vector<std::vector<std::string>> choosers = {
        {"zenity", "--file-selection", "--directory", "--title=" + utf8Title},
        {"kdialog", "--getexistingdirectory", ".", "--title", utf8Title},
    };
    for (const auto& argv : choosers) {
        std::string output;
        bool started = false;
        const bool chosen = CaptureProgramOutput(argv, output, &started);
        if (!started) continue;
        if (!chosen) return false;  // cancelled
        while (!output.empty() && (output.back() == '\n' || output.back() == '\r'))
            output.pop_back();
        if (output.empty()) return false;
        folder = MultiByteToWide(output, kCodePageAnsi);
        return true;
    }
    return false;
}

}  // namespace platform
