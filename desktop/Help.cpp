#include "desktop/Help.h"

#include "core/Paths.h"

namespace vandrel::desktop {

Text supportQuestion() {
    return L"インターネットに接続して下さい。\r\n"
           L"\r\n"
           L"次画面はそのままの状態で、\r\n"
           L"\r\n"
           L"ID番号をスカイプ(推薦)又は\r\n"
           L"\r\n"
           L"Telでお知らせ下さい[遠隔操作]";
}

namespace {

Status startFromAppFolder(Platform& platform, TextView name) {
    const auto path = pathInAppFolder(platform, name);
    if (!path) return path.status();
    return platform.startProgram(path.value());
}

}  // namespace

Status openManual(Platform& platform, int page) {
    const auto path = pathInAppFolder(platform, kManual);
    if (!path) return path.status();
    return platform.openDocument(page, path.value());
}

Status remoteSupport(Platform& platform, int page) {
    const auto answer =
        platform.messageBox(page, supportQuestion(), kSupportTitle, MessageButtons::YesNo, MessageIcon::Question);
    if (!answer) return answer.status();
    if (answer.value() != Answer::Yes) return {};
    return startFromAppFolder(platform, kSupportTool);
}

Status openWebsite(Platform& platform) {
    const Status edge = platform.runCommand(Text(kEdgeScheme) + kMakerSite);
    if (edge) return edge;
    return platform.runCommand(kMakerSite);
}

Status errorRepair(Platform& platform) { return startFromAppFolder(platform, kRepairTool); }

}  // namespace vandrel::desktop
