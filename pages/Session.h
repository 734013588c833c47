// The process-wide values of a run of the menu.
#pragma once

#include <cstdint>

#include "catalogue/ProgramTable.h"
#include "company/CompanyName.h"

namespace vandrel {

struct Session {
    ProgramTable table;                          // filled by page 1's load
    Text pageCaption;                            // `PageCaption`, set by page 1's load
    Text companyName = company::kUnsetNameText;  // `CompanyName`
    std::uint8_t lastPressedButton = 0;          // `LastPressedButton`: 1 left, 2 right, 4 middle
};

}  // namespace vandrel
