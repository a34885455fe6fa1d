#include "win32/frmInfo.h"

namespace frmInfo {

void Show(HWND /*owner*/) {}

HWND Window() {
    return nullptr;
}

} // namespace frmInfo
