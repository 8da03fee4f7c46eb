// Prints the settings record after the options of its own command line, one
// field a line, so tests can check the record of a real process.
#include <cstdio>

#include "app/install_settings.h"
#include "platform/text.h"

namespace {

void Print(const char* name, const std::wstring& value) {
    std::printf("%s=%s\n", name, platform::WideToMultiByte(value, platform::kCodePageUtf8).c_str());
}

}  // namespace

int main() {
    InstallSettings& settings = InstallSettings::Instance();
    settings.ReadOptions();
    Print("ProductName", settings.ProductName);
    Print("ProductVersion", settings.ProductVersion);
    Print("ExeFileName", settings.ExeFileName);
    Print("DlAppNameSuffix", settings.DlAppNameSuffix);
    Print("DlAppVersion", settings.DlAppVersion);
    Print("InstCmd", settings.InstCmd);
    Print("DownloadUrl", settings.DownloadUrl);
    std::printf("DownloadType=%d\n", settings.DownloadType);
    std::printf("IsCheckNet=%d\n", settings.IsCheckNet);
    std::printf("IsEnableAppAnalytics=%d\n", settings.IsEnableAppAnalytics);
    std::printf("DownloadScale=%.17g\n", settings.DownloadScale);
    std::printf("HttpLibraryReady=%d\n", settings.HttpLibraryReady);
    std::printf("Language=%d\n", settings.Language);
    std::printf("InsNew=%d\n", settings.InsNew);
    return 0;
}
