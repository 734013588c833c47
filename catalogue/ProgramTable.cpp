#include "catalogue/ProgramTable.h"

namespace vandrel {

Text ProgramTable::fileName(int programNumber) {
    Text name = L"Ten0000.exe";
    for (int digit = 6, rest = programNumber; digit >= 3; --digit, rest /= 10) {
        name[digit] = static_cast<wchar_t>(L'0' + rest % 10);
    }
    return name;
}

void ProgramTable::fill() {
    for (int n = 0; n < kPrograms; ++n) slots_[n] = fileName(n);
}

const Text* ProgramTable::slot(int n) const {
    if (n < 0 || n >= kSlots) return nullptr;
    return &slots_[n];
}

}  // namespace vandrel
