// How the calculators lie on the pages: plain facts that every part of the
// menu shares.
#pragma once

namespace vandrel {

inline constexpr int kPageCount = 5;
inline constexpr int kButtonsPerPage = 72;  // 12 columns of 6 rows
// `ProgramNumber` 0 … 359: one calculator per button.
inline constexpr int kProgramCount = kPageCount * kButtonsPerPage;

// The page the program opens with: its load sets up the rest, and it holds
// the company-name entry.
inline constexpr int kFirstPage = 1;

// `PageOffset`: the `ProgramNumber` of a page's button 0.
constexpr int pageOffset(int page) { return kButtonsPerPage * (page - 1); }

}  // namespace vandrel
