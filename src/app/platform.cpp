#include "app/platform.h"

#include "app/state.h"

static Platform* g_pPlatform = nullptr;

void SetPlatform(Platform* platform) { g_pPlatform = platform; }

Platform* CurrentPlatform() { return g_pPlatform; }

void ShowMessage(const char* text, const char* caption) {
  if (g_pPlatform != nullptr) g_pPlatform->ShowMessage(text, caption);
}

void ShowFileMessage(const char* text, const char* caption, const char* path, const char* reason) {
  if (g_pPlatform != nullptr) g_pPlatform->ShowFileMessage(text, caption, path, reason);
}

void Platform::ShowInformation(const char* text) {
  ShowMessage(text, Version_string);
}
