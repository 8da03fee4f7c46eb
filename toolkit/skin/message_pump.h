#pragma once

namespace Skin {

// Handles every message that waits now (paint included), as the modal loop
// would, and returns when the queue is empty. For tools and tests that drive
// windows step by step; false when a WM_QUIT was taken (it is posted again).
bool PumpMessages();

}  // namespace Skin
