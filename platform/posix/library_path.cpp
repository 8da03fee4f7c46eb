#include "platform/library_path.h"

namespace platform {

bool RestrictLibrarySearchPath() { return false; }

}  // namespace platform
