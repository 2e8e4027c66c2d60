#include "app/state.h"

#include <cstring>

char file_address_01[FILE_SLOT_SIZE];
char file_address_02[FILE_SLOT_SIZE];
char output_folder[FILE_SLOT_SIZE];

int FLAG_APS = 1;
int FLAG_ACS = 0;
int FLAG_IOP = 0;
int FLAG_NATURE = 0;
int FLAG_RSC = 0;
int FLAG_PAGEALL = 0;
int FLAG_CLASSIC = 0;

static int g_indexed_scans = 1;

void SetIndexedScans(int on) { g_indexed_scans = on; }

int IndexedScans() { return g_indexed_scans; }

const char* const Version_string = "Tamrel 2.1 - Velmoran - 2009";

void ResetApplicationState() {
  file_address_01[0] = '\0';
  file_address_02[0] = '\0';
  output_folder[0] = '\0';
  SetJournalStyle(STYLE_APS);
  FLAG_PAGEALL = 0;
  FLAG_CLASSIC = 0;
}

int SetFileSlot(char* slot, const char* path) {
  std::size_t length = std::strlen(path);
  if (length >= FILE_SLOT_SIZE) return 0;
  std::memcpy(slot, path, length + 1);
  return 1;
}

void SetJournalStyle(JournalStyle style) {
  FLAG_APS = style == STYLE_APS;
  FLAG_ACS = style == STYLE_ACS;
  FLAG_IOP = style == STYLE_IOP;
  FLAG_NATURE = style == STYLE_NATURE;
  FLAG_RSC = style == STYLE_RSC;
}

int SelectedStyle(JournalStyle* style) {
  if (FLAG_APS == 1) {
    *style = STYLE_APS;
  } else if (FLAG_ACS == 1) {
    *style = STYLE_ACS;
  } else if (FLAG_IOP == 1) {
    *style = STYLE_IOP;
  } else if (FLAG_NATURE == 1) {
    *style = STYLE_NATURE;
  } else if (FLAG_RSC == 1) {
    *style = STYLE_RSC;
  } else {
    return 0;
  }
  return 1;
}
