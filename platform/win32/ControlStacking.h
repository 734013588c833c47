// The order in which a page's controls lie over each other where they
// overlap (the z-order). The controls lie in the order they are made, which
// is also the order of the Tab key; text boxes and the frame lie beneath
// them all, so that whatever overlaps those stays in view: the confirm
// button on the end of the entry box, the manual button on the frame's edge.
#pragma once

#include <unordered_map>

#include "platform/Status.h"
#include "platform/win32/Failure.h"

namespace vandrel::win32 {

class ControlStacking {
public:
    // Puts a control just made into its place among the children of
    // `parent`. A new control is made at the bottom, which is already its
    // place unless a text box or a frame lies there; moving a window costs
    // as much as making it, so the program buttons are never moved.
    Status place(HWND parent, HWND control, bool beneath);
    // The windows are gone.
    void clear() { parents_.clear(); }

private:
    struct Parent {
        HWND lastOrdinary = nullptr;  // the last control that is neither a text box nor a frame
        bool anyBeneath = false;      // a text box or a frame has been made
    };
    std::unordered_map<HWND, Parent> parents_;
};

}  // namespace vandrel::win32
