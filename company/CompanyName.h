// The user's company name: its stored form, the texts around its entry, and
// the steps that read, confirm and store it. The page windows show it.
#pragma once

#include "platform/Platform.h"

namespace vandrel::company {

// Shown while no name is registered, and stored for that state. Its fifth
// character is the full-width one, its sixth the ASCII zero.
inline constexpr wchar_t kUnsetNameText[] = L"社名登録１0文字迄可";
inline constexpr wchar_t kEntryPrompt[] = L"ここｸﾘｯｸして入力して下さい";
inline constexpr wchar_t kLabelTooltip[] = L"一度のみ入力可能です";
inline constexpr wchar_t kConfirmCaption[] = L"登録";
inline constexpr wchar_t kConfirmTitle[] = L"登録 ";
// The entry box takes at most this many typed characters, as the prompt says.
inline constexpr int kMaxNameLength = 10;

inline constexpr wchar_t kStoreApp[] = L"Doziz";
inline constexpr wchar_t kStoreSection[] = L"Nasa";
inline constexpr wchar_t kStoreKey[] = L"name";

inline constexpr wchar_t kRenameTool[] = L"DuvArovADIDO.exe";

// Registered: anything but the unset text (compared character for character).
bool isRegistered(TextView name);

// The question asked before a name is registered.
Text confirmationText(TextView entered);

// The message shown when a confirmed name could not be stored.
Text storeFailureText();

// The name check of page 1's load, up to the name label: reads the stored
// name into `name` (the unset text when nothing is stored), shows the entry
// on page 1 while no name is registered and hides it otherwise, and stores
// the unset text when nothing was stored. Stops at the first failure.
Status checkName(Platform& platform, Text& name);

// Shows or hides page 1's entry box and its confirm button together. Both
// are set whatever the first does; the first failure is reported.
Status showEntry(Platform& platform, bool visible);

// Asks whether to register `entered`; true on Yes.
bool askToRegister(Platform& platform, TextView entered);

// Stores a confirmed name.
Status storeName(Platform& platform, TextView name);

// Starts the rename tool from the program folder.
Status startRenameTool(Platform& platform);

}  // namespace vandrel::company
