#include "web/collected_messages.h"

static std::string TextOrNothing(const char* text) { return text != nullptr ? text : ""; }

void CollectedMessages::ShowMessage(const char* text, const char* caption) {
  messages_.push_back(PageMessage{TextOrNothing(caption), TextOrNothing(text), "", ""});
}

void CollectedMessages::ShowFileMessage(const char* text, const char* caption, const char* path,
                                        const char* reason) {
  messages_.push_back(
      PageMessage{TextOrNothing(caption), TextOrNothing(text), TextOrNothing(path), TextOrNothing(reason)});
}
