#pragma once

#include <string>

namespace platform {

// Windows runs any file named *.exe; here it needs the execute bits first,
// for whoever may read it.
void MakeRunnable(const std::string& path);

}  // namespace platform
