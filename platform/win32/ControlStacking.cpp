#include "platform/win32/ControlStacking.h"

namespace vandrel::win32 {

Status ControlStacking::place(HWND parent, HWND control, bool beneath) {
    Parent& stack = parents_[parent];
    if (beneath) {
        stack.anyBeneath = true;
        return {};
    }
    if (stack.anyBeneath && !SetWindowPos(control, stack.lastOrdinary ? stack.lastOrdinary : HWND_TOP, 0, 0, 0, 0,
                                          SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE)) {
        return lastError("SetWindowPos");
    }
    stack.lastOrdinary = control;
    return {};
}

}  // namespace vandrel::win32
