// Labels that widen to their text: the version text, the page title's
// circled number and a ten-character company name are wider than their
// labels were designed.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace vandrel::win32 {

// Widens the label to the width of its text in `font`, never narrower than
// `designWidth`, so that it stays a target for the mouse; its place and
// height stay. Measuring cannot fail for a live window; if it does, the
// label keeps its width.
void fitLabelToText(HWND label, HFONT font, int designWidth);

}  // namespace vandrel::win32
