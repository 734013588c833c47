// What the program does around the pages at two moments that page events
// bring: the start of page 1's load and the closing of a page window. The
// program (app/) answers it; the pages only say when.
#pragma once

namespace vandrel {

class ProgramLife {
public:
    // Page 1's load begins: the working folders are made.
    virtual void firstPageLoading() = 0;
    // A page window closes, or the user's session ends: the close sequence,
    // which ends the program.
    virtual void pageClosing() = 0;

protected:
    ~ProgramLife() = default;
};

}  // namespace vandrel
