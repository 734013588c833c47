#include "catalogue/Launch.h"

#include "core/Paths.h"

namespace vandrel {

Text launchFailureText(std::int16_t programNumber) {
    return L"[番号] = " + std::to_wstring(programNumber) + L"\r\n          ファイルがありません。";
}

const wchar_t* handOffKey(std::span<const HandOffRow> rows, int index) {
    for (const HandOffRow& row : rows) {
        if (index >= row.first && index <= row.last) return row.key;
    }
    return nullptr;
}

namespace {

Result<Text> calculatorPath(Platform& platform, const ProgramTable& table, std::int16_t programNumber) {
    auto folder = appFolder(platform);
    if (!folder) return folder.status();
    const Text* name = table.slot(programNumber);
    if (name == nullptr) return Status::failure("ProgramTable::slot");  // subscript out of range
    return joinPath(folder.value(), *name);
}

}  // namespace

void launchProgram(Platform& platform, const ProgramTable& table, int page, int pageOffset,
                   std::span<const HandOffRow> handOff, std::int16_t index) {
    const auto programNumber = static_cast<std::int16_t>(pageOffset + index);
    const auto path = calculatorPath(platform, table, programNumber);
    if (const wchar_t* key = handOffKey(handOff, index)) {
        carryOn(platform.writeSetting(kHandOffApp, kHandOffSection, key, std::to_wstring(index)));
    }
    const Status started = path ? platform.startProgram(path.value()) : path.status();
    // The launch's own message: whatever kept the calculator from starting.
    if (!started) {
        carryOn(platform.messageBox(page, launchFailureText(programNumber), kLaunchTitle, MessageButtons::Ok,
                                    MessageIcon::None));
    }
}

}  // namespace vandrel
