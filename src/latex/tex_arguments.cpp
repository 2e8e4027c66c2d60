// The argument groups of LaTeX commands in a readable text: where a
// {..}, [..] or (..) argument ends.
#include <algorithm>

#include "latex/citations.h"

void StartTexScan(TexScan* scan, const char* text, std::size_t size) {
  scan->text = text;
  scan->size = size;
  scan->at = 0;
  scan->depth = 0;
  scan->line_starts.clear();
  scan->subfile = 0;
  scan->in_body = 0;
  scan->unclosed_iffalse = 0;
  scan->pairs.clear();
  for (auto& failed : scan->failed) failed.clear();
  std::vector<std::size_t> open;  // indexes into pairs of the braces still open
  for (std::size_t at = 0; at < size; at++) {
    if (text[at] == '\\') {
      at++;  // an escaped brace is no group
    } else if (text[at] == '{') {
      open.push_back(scan->pairs.size());
      scan->pairs.push_back(TexBracePair{at, kNoClose});
    } else if (text[at] == '}' && !open.empty()) {
      scan->pairs[open.back()].close = at;
      open.pop_back();
    }
  }
}

std::size_t EndOfLine(const TexScan* scan) {
  auto next = std::upper_bound(scan->line_starts.begin(), scan->line_starts.end(), scan->at);
  if (next == scan->line_starts.end()) return scan->size;
  return std::min(*next, scan->size);
}

std::size_t SkipArgumentBlanks(const char* text, std::size_t size, std::size_t at) {
  while (at < size && (text[at] == ' ' || text[at] == '\t' || text[at] == '\r')) at++;
  if (at < size && text[at] == '\n') {
    at++;
    while (at < size && (text[at] == ' ' || text[at] == '\t' || text[at] == '\r')) at++;
  }
  return at;
}

// The closing brace of the brace at text[at], or kNoClose.
static std::size_t MatchingBrace(const TexScan* scan, std::size_t at) {
  auto pair = std::lower_bound(scan->pairs.begin(), scan->pairs.end(), at,
                               [](const TexBracePair& p, std::size_t open) { return p.open < open; });
  return pair != scan->pairs.end() && pair->open == at ? pair->close : kNoClose;
}

// Searches the end of the [..], (..) or <..> group opening at text[at]: the
// first `close` outside braces.  Braces inside are kept whole, so "[{a]}]"
// is one note.  Returns the offset after the close, or kNoClose.
static std::size_t OptionalGroupEnd(TexScan* scan, std::size_t at, int kind) {
  static const char kCloses[] = {']', ')', '>'};
  char close = kCloses[kind];
  std::unordered_map<long, FailedGroup>* failed = &scan->failed[kind];
  auto known = failed->find(scan->depth);
  if (known != failed->end() && known->second.from <= at && at < known->second.fail_at) return kNoClose;
  std::size_t k = at + 1;
  while (k < scan->size) {
    char c = scan->text[k];
    if (c == close) return k + 1;
    if (c == '}') break;  // an outer group closes first
    if (c == '\\') {
      k += 2;
    } else if (c == '{') {
      std::size_t brace = MatchingBrace(scan, k);
      if (brace == kNoClose) break;
      k = brace + 1;
    } else {
      k++;
    }
  }
  (*failed)[scan->depth] = FailedGroup{at, std::min(k, scan->size)};
  return kNoClose;
}

int FindGroupEnd(TexScan* scan, std::size_t at, std::size_t* end) {
  if (at >= scan->size) return 0;
  char open = scan->text[at];
  std::size_t after = kNoClose;
  if (open == '{') {
    std::size_t brace = MatchingBrace(scan, at);
    if (brace != kNoClose) after = brace + 1;
  } else if (open == '[' || open == '(' || open == '<') {
    after = OptionalGroupEnd(scan, at, open == '[' ? 0 : open == '(' ? 1 : 2);
  }
  if (after == kNoClose || after > scan->size) return 0;  // past an \endinput line
  *end = after;
  return 1;
}
