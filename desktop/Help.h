// The four side buttons of every page: manual, remote support, website and
// error repair. None of them reports a failure to the user.
#pragma once

#include "platform/Platform.h"

namespace vandrel::desktop {

inline constexpr wchar_t kManual[] = L"使用法ﾏﾆｭｱﾙ.pdf";
inline constexpr wchar_t kSupportTool[] = L"HelvikSupport.exe";
inline constexpr wchar_t kRepairTool[] = L"ErrXYZ.exe";
inline constexpr wchar_t kSupportTitle[] = L"サポート [遠隔操作]";
// The maker's top page, opened in the Edge browser.
inline constexpr wchar_t kMakerSite[] = L"https://www.orvanto.example/";
inline constexpr wchar_t kEdgeScheme[] = L"microsoft-edge:";

// The support question: seven lines, no break after the last.
Text supportQuestion();

// Each returns what failed, for the caller to skip.
Status openManual(Platform& platform, int page);
Status remoteSupport(Platform& platform, int page);
// In Edge; where Edge cannot take the link, in the default browser.
Status openWebsite(Platform& platform);
Status errorRepair(Platform& platform);

}  // namespace vandrel::desktop
