#include "app/startup.h"

// Each part of the installer that joins the start-up sequence attaches its
// hooks here, one line each.
int main() {
    StartupHooks hooks;
    return RunInstaller(hooks);
}
