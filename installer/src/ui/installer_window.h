#pragma once

// The installer with its window: the main window created, centred and run
// modally until it is gone. Returns the exit code.
int RunInstallerWindow();
