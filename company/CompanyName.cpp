#include "company/CompanyName.h"

#include "core/Pages.h"
#include "core/Paths.h"

namespace vandrel::company {

namespace {
using controls::kConfirm;
using controls::kEntryBox;
// The entry lies on the first page.
constexpr int kEntryPage = kFirstPage;
}  // namespace

bool isRegistered(TextView name) { return name != kUnsetNameText; }

Text confirmationText(TextView entered) {
    Text text = L"登録は一度のみ(10文字)有効です。\r\n\r\n現在の名称 [ ";
    text.append(entered);
    text += L" ]\r\n\r\n登録しますか　？";
    return text;
}

Text storeFailureText() {
    return L"社名を保存できませんでした。\r\n\r\n"
           L"社名は登録されていません。もう一度「登録」を押して下さい。";
}

Status showEntry(Platform& platform, bool visible) {
    // The button is set even when the box fails, so that it is never left
    // on its own (a confirm button shown without its box).
    Status box = platform.setVisible(kEntryPage, kEntryBox, visible);
    Status button = platform.setVisible(kEntryPage, kConfirm, visible);
    return box.ok() ? button : box;
}

Status checkName(Platform& platform, Text& name) {
    name = kUnsetNameText;
    auto stored = platform.readSetting(kStoreApp, kStoreSection, kStoreKey);
    if (!stored) return stored.status();
    if (!stored.value().empty()) name = stored.value();
    if (Status s = showEntry(platform, !isRegistered(name)); !s) return s;
    if (stored.value().empty()) return platform.writeSetting(kStoreApp, kStoreSection, kStoreKey, name);
    return {};
}

bool askToRegister(Platform& platform, TextView entered) {
    const auto answer = platform.messageBox(kEntryPage, confirmationText(entered), kConfirmTitle, MessageButtons::YesNo,
                                            MessageIcon::Exclamation);
    return answer.ok() && answer.value() == Answer::Yes;
}

Status storeName(Platform& platform, TextView name) {
    return platform.writeSetting(kStoreApp, kStoreSection, kStoreKey, name);
}

Status startRenameTool(Platform& platform) {
    const auto path = pathInAppFolder(platform, kRenameTool);
    if (!path) return path.status();
    return platform.startProgram(path.value());
}

}  // namespace vandrel::company
