#include "app/startup.h"
#include "platform/command_line.h"
#include "setup/silent_install.h"

// Each part of the installer that joins the start-up sequence attaches its
// hooks here, one line each.
int main() {
    StartupHooks hooks;
    hooks.run = [] {
        const auto arguments = platform::CommandLineToArgv(platform::GetCommandLine());
        return IsSilentRequested(arguments) ? RunSilentInstall(arguments) : RunWithoutWindow();
    };
    return RunInstaller(hooks);
}
