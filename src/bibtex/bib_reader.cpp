// ReadBibFile: one pass over the bytes, as BibTeX reads them.
//
// Between blocks the reader looks for "@" with memchr; an "@" opens a block
// only when an identifier and then "{" or "(" follow (or the identifier is
// "comment").  Each block is read by a small recursive-descent reader over
// byte positions; an error ends the block where bibtex would go on reading
// (the next "@"), keeping what bibtex keeps.
//
// The one scan that could run far is the search for the brace closing a
// "{" (an unbalanced value reads on to the end of the file).  So that many
// unbalanced values cannot make the reading quadratic, a search that goes
// past kDirectScan bytes continues on a brace-depth summary of the file in
// chunks (built once, on first need), which tells at once whether the brace
// closes at all and skips whole chunks that cannot hold the close.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "bibtex/bib_file.h"
#include "entry/hash_set.h"
#include "entry/text_hash.h"
#include "text/ascii_case.h"

#if defined(__SSE2__) || defined(_M_X64) || defined(_M_AMD64)
#include <emmintrin.h>
#endif
#if defined(_MSC_VER) && !defined(__clang__)
#include <intrin.h>
#endif
#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);
constexpr std::size_t kDirectScan = 8192;  // bytes a brace search scans plainly
constexpr std::size_t kChunk = 512;        // bytes per chunk of the depth summary
const char kNeverCloses[] = "the value opened here never closes";

enum : unsigned char {
  kSpace = 1,     // blank, tab, CR, LF
  kNameStop = 2,  // ends a name (type, field, macro): white space, control
                  // bytes and "#%'(),={}
  kDigit = 4,
  kBrace = 32,     // { }
  kUpper = 64      // A-Z
};

struct CharClasses {
  unsigned char c[256];
  CharClasses() : c() {
    for (const char* s = " \t\r\n"; *s; s++) c[static_cast<unsigned char>(*s)] |= kSpace | kNameStop;
    for (const char* s = "\"#%'(),={}"; *s; s++) c[static_cast<unsigned char>(*s)] |= kNameStop;
    for (int ch = 0; ch < 0x20; ch++) c[ch] |= kNameStop;
    for (int ch = '0'; ch <= '9'; ch++) c[ch] |= kDigit;
    for (int ch = 'A'; ch <= 'Z'; ch++) c[ch] |= kUpper;
    c[static_cast<unsigned char>('{')] |= kBrace;
    c[static_cast<unsigned char>('}')] |= kBrace;
  }
};
const CharClasses kClasses;

inline bool Is(char ch, unsigned char cls) {
  return (kClasses.c[static_cast<unsigned char>(ch)] & cls) != 0;
}

std::string Lower(const char* s, std::size_t length) { return LowerCase(std::string_view(s, length)); }

bool SameIgnoringCase(const char* s, std::size_t length, const char* lower) {
  return ::SameIgnoringCase(std::string_view(s, length), lower);
}

// ---- scanning 16 bytes at a time where the machine allows ----

#if defined(__SSE2__) || defined(_M_X64) || defined(_M_AMD64)
#define TAMREL_BIB_SSE2 1
inline int LowestBit(unsigned mask) {
#if defined(_MSC_VER) && !defined(__clang__)
  unsigned long index;
  _BitScanForward(&index, mask);
  return static_cast<int>(index);
#else
  return __builtin_ctz(mask);
#endif
}
inline unsigned Mask(__m128i v, char ch) {
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(ch))));
}
inline __m128i Load(const char* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
#endif

// Where [s, e) first needs a change to have its white space runs made one
// blank: a tab, CR or LF, or a blank followed by white space or by the end.
// Bytes before it are kept as they are.
const char* FirstIrregular(const char* s, const char* e) {
#ifdef TAMREL_BIB_SSE2
  while (e - s > 16) {  // 17 bytes: each blank's next byte is in reach
    __m128i v = Load(s);
    __m128i next = Load(s + 1);
    unsigned special = Mask(v, '\t') | Mask(v, '\r') | Mask(v, '\n');
    unsigned next_space = Mask(next, ' ') | Mask(next, '\t') | Mask(next, '\r') | Mask(next, '\n');
    unsigned irregular = special | (Mask(v, ' ') & next_space);
    if (irregular != 0) return s + LowestBit(irregular);
    s += 16;
  }
#endif
  for (; s < e; s++) {
    char ch = *s;
    if (!Is(ch, kSpace)) continue;
    if (ch != ' ' || s + 1 == e || Is(s[1], kSpace)) return s;
  }
  return e;
}

int CountLineFeeds(const char* s, const char* e) {
  int count = 0;
#ifdef TAMREL_BIB_SSE2
  for (; e - s >= 16; s += 16) {
    unsigned mask = Mask(Load(s), '\n');
    while (mask != 0) {
      count++;
      mask &= mask - 1;
    }
  }
#endif
  for (; s < e; s++) count += *s == '\n';
  return count;
}

// Collects a value's text: every run of white space one blank, none at
// either end of `out`; remembers whether white space stood at either end
// so that a macro's value can be kept untrimmed for later concatenation.
struct ValueText {
  std::string* out = nullptr;
  bool leading = false;
  bool pending = false;  // white space seen that no text has followed yet

  void Append(const char* s, const char* e) {
    const char* first = s;
    while (first < e && Is(*first, kSpace)) first++;
    if (first == e) {
      if (s < e) pending = true;
      return;
    }
    if (pending || first > s) {
      if (out->empty()) {
        leading = true;
      } else {
        out->push_back(' ');
      }
      pending = false;
    }
    // Copy at once; then, from the first place that needs it, rewrite in
    // place (the text only gets shorter).
    std::size_t from = out->size();
    out->append(first, static_cast<std::size_t>(e - first));
    char* base = &(*out)[0];
    char* end = base + out->size();
    char* r = const_cast<char*>(FirstIrregular(base + from, end));
    if (r == end) return;
    char* w = r;
    for (; r < end; r++) {
      char ch = *r;
      if (Is(ch, kSpace)) {
        pending = true;
        continue;
      }
      if (pending) {
        *w++ = ' ';
        pending = false;
      }
      *w++ = ch;
    }
    out->resize(static_cast<std::size_t>(w - base));
  }
  // The collapsed text with one blank where white space stood at an end.
  std::string Untrimmed() const {
    std::string text;
    text.reserve(out->size() + 2);
    if (leading) text.push_back(' ');
    text += *out;
    if (pending) text.push_back(' ');
    return text;
  }
};

// Brace depth of the file in chunks: for chunk c, the depth before it
// (start), and the lowest depth right after a "}" inside it (low), and the
// lowest such depth in chunk c or any later one (suffix_low).
class BraceSummary {
 public:
  void Build(const char* data, std::size_t size) {
    std::size_t chunks = size / kChunk + 1;
    start_.assign(chunks + 1, 0);
    low_.assign(chunks, INT64_MAX);
    suffix_low_.assign(chunks + 1, INT64_MAX);
    std::int64_t depth = 0;
    for (std::size_t c = 0; c < chunks; c++) {
      start_[c] = depth;
      std::size_t end = std::min(size, (c + 1) * kChunk);
      std::int64_t low = INT64_MAX;
      for (std::size_t i = c * kChunk; i < end; i++) {
        if (data[i] == '{') {
          depth++;
        } else if (data[i] == '}') {
          depth--;
          if (depth < low) low = depth;
        }
      }
      low_[c] = low;
    }
    start_[chunks] = depth;
    for (std::size_t c = chunks; c-- > 0;) suffix_low_[c] = std::min(low_[c], suffix_low_[c + 1]);
    built_ = true;
  }
  bool built() const { return built_; }

  // The first "}" at or after from that brings the depth down to `need`
  // levels below the depth at from, or kNone.
  std::size_t Find(const char* data, std::size_t size, std::size_t from, std::int64_t need) const {
    std::size_t c = from / kChunk;
    // Depth at from, counted from the chunk's start.
    std::int64_t depth = start_[c];
    for (std::size_t i = c * kChunk; i < from; i++) {
      if (data[i] == '{') depth++;
      else if (data[i] == '}') depth--;
    }
    std::int64_t target = depth - need;
    std::size_t chunks = low_.size();
    for (std::size_t i = from;;) {
      if (low_[c] <= target) {
        std::size_t end = std::min(size, (c + 1) * kChunk);
        for (; i < end; i++) {
          if (data[i] == '{') {
            depth++;
          } else if (data[i] == '}') {
            if (--depth == target) return i;
          }
        }
      }
      c++;
      if (c >= chunks || suffix_low_[c] > target) return kNone;
      i = c * kChunk;
      depth = start_[c];
    }
  }

 private:
  bool built_ = false;
  std::vector<std::int64_t> start_;
  std::vector<std::int64_t> low_;
  std::vector<std::int64_t> suffix_low_;
};

// A large library's block list is tens of megabytes, touched once in
// order: asking for large pages (where the system gives them on request)
// saves thousands of page faults, which cost much on virtual machines.
void AdviseLargePages(void* memory, std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  const std::uintptr_t kLarge = std::uintptr_t(2) << 20;
  if (bytes < 2 * kLarge) return;
  std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(memory) + kLarge - 1) & ~(kLarge - 1);
  std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(memory) + bytes) & ~(kLarge - 1);
  if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
  (void)memory;
  (void)bytes;
#endif
}

struct PendingUndefined {
  std::size_t pos;
  std::string name;
  bool own = false;  // used in its own definition
};

class Reader {
 public:
  Reader(const char* data, std::size_t size, BibFile* file, BibEntryVisitor visit, void* context)
      : d_(data), n_(size), file_(file), visit_(visit), context_(context) {
    static const char* const kMonths[12][2] = {
        {"jan", "January"}, {"feb", "February"}, {"mar", "March"},     {"apr", "April"},
        {"may", "May"},     {"jun", "June"},     {"jul", "July"},      {"aug", "August"},
        {"sep", "September"}, {"oct", "October"}, {"nov", "November"}, {"dec", "December"}};
    for (const auto& month : kMonths) macros_[month[0]] = month[1];
  }

  // Starts from the macros an earlier file of the same run left in force.
  void TakeMacros(const BibMacros& macros) {
    for (const auto& macro : macros) macros_[macro.first] = macro.second;
  }
  void GiveMacros(BibMacros* macros) { macros->swap(macros_); }

  void Run() {
    file_->blocks.clear();
    file_->problems.clear();
    file_->values.Clear();
    if (d_ == nullptr) n_ = 0;
    file_->blocks.reserve(2 * CountAtSigns(d_, n_) + 1);
    AdviseLargePages(file_->blocks.data(), file_->blocks.capacity() * sizeof(BibBlock));

    // bibtex reads a line at a time and stops once it has read the last
    // line and finished the block (or the "@") it was on: whatever follows
    // on that line is never read.
    std::size_t last_line = LastLineStart();
    std::size_t text_begin = 0;
    std::size_t pos = 0;
    while (pos < n_) {
      const void* hit = std::memchr(d_ + pos, '@', n_ - pos);
      if (hit == nullptr) break;
      std::size_t at = static_cast<std::size_t>(static_cast<const char*>(hit) - d_);
      Header header;
      if (!ReadHeader(at, &header)) {
        if (header.stood >= last_line) break;
        pos = at + 1;
        continue;
      }
      if (at > text_begin) AddText(text_begin, at);
      pos = text_begin = ReadBlock(at, &header);
      if (header.stood >= last_line) break;
    }
    if (n_ > text_begin) {
      if (std::memchr(d_ + text_begin, '@', n_ - text_begin) != nullptr && pos < n_) {
        file_->problems.push_back("line " + std::to_string(LineOf(text_begin)) +
                                  ": bibtex reads no further on the file's last line, nothing after here");
      }
      AddText(text_begin, n_);
    }
  }

 private:
  struct Header {
    std::size_t type_begin = 0;
    std::size_t type_end = 0;
    std::size_t open = kNone;  // the "{" or "(", kNone for a line @comment
    std::size_t stood = 0;     // where bibtex stood when it was done with the "@"
  };

  // ---- positions and lines ----

  std::size_t SkipSpace(std::size_t i) const {
    while (i < n_ && Is(d_[i], kSpace)) i++;
    return i;
  }

  // The start of the file's last line, as bibtex's line reader splits
  // the file: a final LF or CR closes the last line, but after a final
  // CR LF one more, empty, line follows.  CR alone ends a line too.
  std::size_t LastLineStart() const {
    std::size_t end = n_;
    if (end > 1 && d_[end - 2] == '\r' && d_[end - 1] == '\n') return n_;
    if (end > 0 && (d_[end - 1] == '\n' || d_[end - 1] == '\r')) end--;
    while (end > 0 && d_[end - 1] != '\n' && d_[end - 1] != '\r') end--;
    return end;
  }

  // The line of pos, which may lie beyond where the next block begins.
  int LineAhead(std::size_t pos) const { return line_ + CountLineFeeds(d_ + line_pos_, d_ + pos); }

  int LineOf(std::size_t pos) {
    // Positions come in file order.
    line_ += CountLineFeeds(d_ + line_pos_, d_ + pos);
    line_pos_ = pos;
    return line_;
  }

  // The start of the next line after the one holding pos that begins with
  // "@" (after blanks), or the end of the data.
  std::size_t NextAtLine(std::size_t pos) const {
    while (pos < n_) {
      const void* hit = std::memchr(d_ + pos, '\n', n_ - pos);
      if (hit == nullptr) return n_;
      std::size_t line = static_cast<std::size_t>(static_cast<const char*>(hit) - d_) + 1;
      std::size_t i = line;
      while (i < n_ && (d_[i] == ' ' || d_[i] == '\t')) i++;
      if (i < n_ && d_[i] == '@') return line;
      pos = line;
    }
    return n_;
  }

  // ---- block heads ----

  // "@", white space (line ends too), an identifier that does not begin
  // with a digit, then "{" or "(" after white space; or the identifier
  // "comment", which needs nothing after it.
  bool ReadHeader(std::size_t at, Header* header) const {
    std::size_t i = SkipSpace(at + 1);
    header->stood = i;
    if (i >= n_ || Is(d_[i], kNameStop) || Is(d_[i], kDigit)) return false;
    header->type_begin = i;
    while (i < n_ && !Is(d_[i], kNameStop)) i++;
    header->type_end = i;
    header->stood = i;
    if (i < n_ && !Is(d_[i], kSpace) && d_[i] != '{' && d_[i] != '(') return false;
    std::size_t k = SkipSpace(i);
    header->open = k < n_ && (d_[k] == '{' || d_[k] == '(') ? k : kNone;
    if (SameIgnoringCase(d_ + header->type_begin, header->type_end - header->type_begin,
                         "comment")) {
      header->stood = i - 1;  // bibtex goes no further than the word
      return true;
    }
    header->stood = k;
    return header->open != kNone;
  }

  void AddText(std::size_t begin, std::size_t end) {
    file_->blocks.emplace_back();
    BibBlock& block = file_->blocks.back();
    block.kind = BIB_TEXT;
    block.begin = begin;
    block.end = end;
    block.key_begin = block.key_end = begin;
    block.line = LineOf(begin);
  }

  // Reads the block at "@"; returns where it ends.
  std::size_t ReadBlock(std::size_t at, Header* header_read) {
    const Header& header = *header_read;
    file_->blocks.emplace_back();
    BibBlock& block = file_->blocks.back();
    block.begin = at;
    block.line = LineOf(at);
    block.key_begin = block.key_end = at;
    const char* type = d_ + header.type_begin;
    std::size_t type_length = header.type_end - header.type_begin;
    block.type = std::string_view(type, type_length);
    undefined_.clear();
    error_ = nullptr;
    error_pos_ = error_line_pos_ = n_;
    kept_ = false;
    ValueStore::Mark values_before = file_->values.Here();

    std::size_t end = kNone;
    if (SameIgnoringCase(type, type_length, "comment")) {
      block.kind = BIB_COMMENT;
      end = ReadComment(header);
    } else if (SameIgnoringCase(type, type_length, "string")) {
      block.kind = BIB_STRING;
      end = ReadString(header.open, &block);
    } else if (SameIgnoringCase(type, type_length, "preamble")) {
      block.kind = BIB_PREAMBLE;
      end = ReadPreamble(header.open, &block);
    } else {
      block.kind = BIB_ENTRY;
      end = ReadEntry(header.open, &block);
    }

    if (end == kNone) {
      end = EndAfterError(header.open, &block);
      DropFieldsPast(end, &block);
      header_read->stood = error_pos_;
    } else {
      ReportUndefined();
      if (block.kind != BIB_COMMENT) header_read->stood = end - 1;
    }
    block.end = end;
    if (block.kind == BIB_ENTRY && visit_ != nullptr && !visit_(context_, entries_++, block)) {
      block.fields.clear();
      block.fields.shrink_to_fit();
      file_->values.Rewind(values_before);
    }
    return end;
  }

  // After an error bibtex skips to the next "@" from where the error stood;
  // what it read before stays read.  An entry whose key was read is an
  // entry still, with the fields before the error; so is a macro or
  // preamble whose value was read.  Anything else is a malformed block.
  // The block runs to its closing delimiter when that lies between the
  // error and the next "@", else up to the next "@" (white space before it
  // left out).
  std::size_t EndAfterError(std::size_t open, BibBlock* block) {
    if (kept_) ReportUndefined();  // a malformed block is reported alone
    const char* problem = error_ != nullptr ? error_ : "cannot be read";
    block->problem = problem;
    if (kept_) {
      block->fields.assign(std::make_move_iterator(fields_.begin()),
                           std::make_move_iterator(fields_.end()));
      std::string what = block->kind == BIB_ENTRY    ? "the entry '" + std::string(block->key) + "'"
                         : block->kind == BIB_STRING ? "the string '" + std::string(block->key) + "'"
                                                     : std::string("the preamble");
      bool repeated = repeated_key_ && block->kind == BIB_ENTRY;
      std::string outcome = repeated ? ") repeats a key: bibtex skips it and reads on at the next '@'"
                                     : ") is read up to there, as bibtex reads it";
      std::string what_happened = problem;
      if (problem == kNeverCloses && !repeated) {
        what_happened += ": bibtex reads the rest of the file into it";
      }
      file_->problems.push_back("line " + std::to_string(LineAhead(error_line_pos_)) + ": " +
                                what_happened + "; " + what + " (line " +
                                std::to_string(block->line) + outcome);
    } else {
      block->kind = BIB_MALFORMED;
      block->key = std::string_view();
      block->key_begin = block->key_end = block->begin;
      block->fields.clear();
      block->macros.clear();
      file_->problems.push_back("line " + std::to_string(block->line) + ": " + problem);
    }
    // bibtex skips an entry whose key it has read before from the key on.
    if (repeated_key_ && block->kind == BIB_ENTRY) error_pos_ = block->key_end;
    const void* hit = error_pos_ < n_ ? std::memchr(d_ + error_pos_, '@', n_ - error_pos_) : nullptr;
    std::size_t next_at = hit == nullptr ? n_ : static_cast<std::size_t>(static_cast<const char*>(hit) - d_);
    std::size_t close = kNone;
    if (open != kNone && d_[open] == '{') {
      close = FindClose(open);
    } else if (open != kNone && error_pos_ < n_) {
      const void* paren = std::memchr(d_ + error_pos_, ')', next_at - error_pos_);
      if (paren != nullptr) close = static_cast<std::size_t>(static_cast<const char*>(paren) - d_);
    }
    if (close != kNone && close >= error_pos_ && close < next_at) return close + 1;
    std::size_t end = next_at;
    while (end > error_pos_ && Is(d_[end - 1], kSpace)) end--;
    return end > block->begin ? end : next_at;
  }

  // A repeated entry that bibtex skips from its key on may end before a
  // value already read (an "@" inside it): such a field is no part of the
  // block's bytes, and the block keeps only what lies within them.
  static void DropFieldsPast(std::size_t end, BibBlock* block) {
    auto past = std::remove_if(block->fields.begin(), block->fields.end(),
                               [end](const BibField& field) { return field.value_end > end; });
    block->fields.erase(past, block->fields.end());
  }

  void ReportUndefined() {
    for (const PendingUndefined& undefined : undefined_) {
      file_->problems.push_back("line " + std::to_string(LineAhead(undefined.pos)) +
                                (undefined.own ? ": string '" + undefined.name +
                                                     "' used in its own definition reads as empty"
                                               : ": undefined string '" + undefined.name + "'"));
    }
  }

  std::size_t Fail(const char* problem, std::size_t pos) {
    if (error_ == nullptr) {
      error_ = problem;
      error_pos_ = error_line_pos_ = pos;
    }
    return kNone;
  }

  std::size_t FailEnd() { return Fail("end of file inside the entry", n_); }

  // A value opened at `open` that never closes: bibtex reads the rest of
  // the file into it.  Reported at the line where it opens.
  std::size_t FailUnclosed(std::size_t open) {
    Fail(kNeverCloses, n_);
    error_line_pos_ = open;
    return kNone;
  }

  // ---- comments ----

  // bibtex skips the word "comment" alone and reads on from there, so an
  // "@" inside what follows opens a block.  The group or line after the
  // word belongs to the comment when it holds no "@".
  std::size_t ReadComment(const Header& header) {
    std::size_t end = header.type_end;
    std::size_t open = header.open;
    if (open == kNone) {  // "@comment" and the rest of its line, without its end
      const void* hit = std::memchr(d_ + header.type_end, '\n', n_ - header.type_end);
      end = hit == nullptr ? n_ : static_cast<std::size_t>(static_cast<const char*>(hit) - d_);
      if (end > header.type_end && d_[end - 1] == '\r') end--;
    } else if (d_[open] == '{') {
      std::size_t close = FindClose(open);
      if (close != kNone) end = close + 1;
    } else {
      std::size_t close = FindParen(open + 1);
      if (close != kNone) end = close + 1;
    }
    if (std::memchr(d_ + header.type_end, '@', end - header.type_end) != nullptr) {
      return header.type_end;
    }
    return end;
  }

  // The first ")" at or after from; remembers its last answer, so that many
  // unclosed "(" comments cost one scan.
  std::size_t FindParen(std::size_t from) {
    if (from >= paren_from_ && (paren_at_ == kNone || paren_at_ >= from)) return paren_at_;
    const void* hit = std::memchr(d_ + from, ')', n_ - from);
    paren_from_ = from;
    paren_at_ = hit == nullptr ? kNone : static_cast<std::size_t>(static_cast<const char*>(hit) - d_);
    return paren_at_;
  }

  // ---- braces ----

  // The "}" that closes the "{" at open, or kNone.
  std::size_t FindClose(std::size_t open) {
    std::size_t limit = std::min(n_, open + kDirectScan);
    std::int64_t depth = 0;
    std::size_t i = open;
#ifdef TAMREL_BIB_SSE2
    for (; i + 16 <= limit; i += 16) {
      __m128i v = Load(d_ + i);
      unsigned braces = Mask(v, '{') | Mask(v, '}');
      while (braces != 0) {
        int bit = LowestBit(braces);
        braces &= braces - 1;
        if (d_[i + static_cast<std::size_t>(bit)] == '{') {
          depth++;
        } else if (--depth == 0) {
          return i + static_cast<std::size_t>(bit);
        }
      }
    }
#endif
    for (; i < limit; i++) {
      char ch = d_[i];
      if (!Is(ch, kBrace)) continue;
      if (ch == '{') {
        depth++;
      } else if (--depth == 0) {
        return i;
      }
    }
    if (limit >= n_) return kNone;
    if (!summary_.built()) summary_.Build(d_, n_);
    return summary_.Find(d_, n_, limit, depth);
  }

  // ---- values ----

  // Reads a value (parts joined by "#") starting at i into field; returns
  // the position after its last part, or kNone.  close is the entry's
  // closing delimiter: a macro name must end at white space, ",", "#" or
  // close.
  std::size_t ReadValue(std::size_t i, char close, BibField* field, BibBlock* block) {
    std::size_t end = ReadValueParts(i, close, field, block);
    // bibtex keeps no value that the file ends after.
    if (end != kNone && SkipSpace(end) >= n_) return FailEnd();
    return end;
  }

  std::size_t ReadValueParts(std::size_t i, char close, BibField* field, BibBlock* block) {
    value_.clear();
    field->value = std::string_view();
    ValueText text;
    text.out = &value_;
    field->value_begin = i;
    for (;;) {
      if (i >= n_) return FailEnd();
      char ch = d_[i];
      if (ch == '{') {
        // bibtex reads an unclosed value to the end of the file.
        std::size_t close_brace = FindClose(i);
        if (close_brace == kNone) return FailUnclosed(i);
        if (i == field->value_begin && IsWholeValue(close_brace + 1, i + 1, close_brace)) {
          return TakeVerbatim(i + 1, close_brace, close_brace + 1, field);
        }
        text.Append(d_ + i + 1, d_ + close_brace);
        i = close_brace + 1;
      } else if (ch == '"') {
        std::size_t j = i + 1;
        for (;;) {
          while (j < n_ && d_[j] != '"' && !Is(d_[j], kBrace)) j++;
          if (j >= n_) return FailUnclosed(i);
          if (d_[j] == '"') break;
          if (d_[j] == '}') return Fail("unbalanced braces", j);
          std::size_t close_brace = FindClose(j);
          if (close_brace == kNone) return FailUnclosed(i);
          j = close_brace + 1;
        }
        if (i == field->value_begin && IsWholeValue(j + 1, i + 1, j)) {
          return TakeVerbatim(i + 1, j, j + 1, field);
        }
        text.Append(d_ + i + 1, d_ + j);
        i = j + 1;
      } else if (Is(ch, kDigit)) {
        // A number is its digits; what follows is the entry's business.
        std::size_t j = i;
        while (j < n_ && Is(d_[j], kDigit)) j++;
        if (i == field->value_begin && IsWholeValue(j, i, j)) return TakeVerbatim(i, j, j, field);
        text.Append(d_ + i, d_ + j);
        i = j;
      } else if (!Is(ch, kNameStop)) {
        std::size_t j = i;
        while (j < n_ && !Is(d_[j], kNameStop)) j++;
        if (j < n_ && !Is(d_[j], kSpace) && d_[j] != ',' && d_[j] != '#' && d_[j] != close) {
          return Fail("bad value", j);
        }
        std::string name = Lower(d_ + i, j - i);
        auto found = macros_.find(name);
        if (name == defining_) {
          // bibtex reads a macro inside its own definition as empty.
          undefined_.push_back(PendingUndefined{i, std::string(d_ + i, j - i), true});
        } else if (found != macros_.end()) {
          text.Append(found->second.data(), found->second.data() + found->second.size());
        } else {
          // BibTeX would print nothing; the name as written tells the
          // reader of a reference which string is missing, and lets two
          // entries that use the same undefined string still compare equal.
          undefined_.push_back(PendingUndefined{i, std::string(d_ + i, j - i), false});
          text.Append(d_ + i, d_ + j);
        }
        if (std::find(block->macros.begin(), block->macros.end(), name) == block->macros.end()) {
          block->macros.push_back(std::move(name));
        }
        i = j;
      } else {
        return Fail("bad value", i);
      }
      field->value_end = i;
      std::size_t k = SkipSpace(i);
      if (k < n_ && d_[k] == '#') {
        i = SkipSpace(k + 1);
        continue;
      }
      last_leading_ = text.leading;
      last_pending_ = text.pending;
      field->value = file_->values.Store(value_);
      return field->value_end;
    }
  }

  // 1 when the value's first part, its text at [begin, end) and ending at
  // after, is the whole value (no "#" follows) and its text needs no change:
  // no white space at either end, no run to make one blank.
  bool IsWholeValue(std::size_t after, std::size_t begin, std::size_t end) const {
    if (begin < end && (Is(d_[begin], kSpace) || Is(d_[end - 1], kSpace))) return false;
    if (FirstIrregular(d_ + begin, d_ + end) != d_ + end) return false;
    std::size_t k = SkipSpace(after);
    return k >= n_ || d_[k] != '#';
  }

  // A value that is the file's own bytes [begin, end) is neither copied nor
  // stored: the field refers to the file.  Returns after, where the value's
  // part ends.
  std::size_t TakeVerbatim(std::size_t begin, std::size_t end, std::size_t after, BibField* field) {
    field->value = std::string_view(d_ + begin, end - begin);
    field->value_end = after;
    last_leading_ = false;
    last_pending_ = false;
    return after;
  }

  // The name at [begin, end) in lower case: the file's own bytes where they
  // are in lower case already (as most libraries write them), else, where
  // it may hold upper case, a lower case copy in the value store.
  std::string_view LowerName(std::size_t begin, std::size_t end, bool may_hold_upper) {
    std::size_t length = end - begin;
    if (!may_hold_upper) return std::string_view(d_ + begin, length);
    char* lower = file_->values.Allocate(length);
    for (std::size_t i = 0; i < length; i++) lower[i] = AsciiLower(d_[begin + i]);
    return std::string_view(lower, length);
  }

  // ---- names ----

  // The end of the identifier at i (a field or macro name): bytes up to
  // white space or one of "#%'(),={}; it may not begin with a digit.
  // Returns kNone when there is none, or when what ends it is neither white
  // space nor "=".
  std::size_t NameBefore(std::size_t i) {
    std::size_t j = i;
    while (j < n_ && !Is(d_[j], kNameStop)) j++;
    if (j == i || Is(d_[i], kDigit)) return kNone;
    if (j < n_ && !Is(d_[j], kSpace) && d_[j] != '=') return kNone;
    return j;
  }

  // "name =" at i; the position of the value after white space, or kNone.
  std::size_t ReadAssignment(std::size_t i, const char* no_name) {
    std::size_t name_end = NameBefore(i);
    if (name_end == kNone) return Fail(no_name, NameEnd(i));
    std::size_t k = SkipSpace(name_end);
    if (k >= n_) return FailEnd();
    if (d_[k] != '=') return Fail("missing '='", k);
    k = SkipSpace(k + 1);
    if (k >= n_) return FailEnd();
    return k;
  }

  // Where the bytes of a name at i stop.
  std::size_t NameEnd(std::size_t i) const {
    std::size_t j = i;
    while (j < n_ && !Is(d_[j], kNameStop)) j++;
    return j;
  }

  // ---- @string, @preamble ----

  // The value just read with one blank where white space stood at either
  // end: bibtex trims a field's value, but not a macro's or a preamble's.
  std::string UntrimmedLastValue(std::string_view value) {
    value_.assign(value.data(), value.size());
    ValueText text;
    text.out = &value_;
    text.leading = last_leading_;
    text.pending = last_pending_;
    return text.Untrimmed();
  }

  std::size_t ReadString(std::size_t open, BibBlock* block) {
    char close = d_[open] == '{' ? '}' : ')';
    std::size_t name_begin = SkipSpace(open + 1);
    if (name_begin >= n_) return FailEnd();
    std::size_t i = ReadAssignment(name_begin, "no string name");
    if (i == kNone) return kNone;
    std::size_t name_end = NameEnd(name_begin);
    BibField field;
    defining_ = Lower(d_ + name_begin, name_end - name_begin);
    i = ReadValue(i, close, &field, block);
    defining_.clear();
    if (i == kNone) return kNone;
    // The macro is defined as soon as its value is read.
    block->key = std::string_view(d_ + name_begin, name_end - name_begin);
    block->key_begin = name_begin;
    block->key_end = name_end;
    field.name = LowerName(name_begin, name_end, true);
    macros_[std::string(field.name)] = UntrimmedLastValue(field.value);
    return CloseAfterValue(i, close, field, "string not closed", block);
  }

  // The value of a @string or @preamble is read, so it counts whatever
  // follows; then only its closing delimiter may come.
  std::size_t CloseAfterValue(std::size_t i, char close, const BibField& field,
                              const char* not_closed, BibBlock* block) {
    fields_.clear();
    fields_.push_back(field);
    kept_ = true;
    i = SkipSpace(i);
    if (i >= n_) return FailEnd();
    if (d_[i] != close) return Fail(not_closed, i);
    block->fields.push_back(field);
    return i + 1;
  }

  std::size_t ReadPreamble(std::size_t open, BibBlock* block) {
    char close = d_[open] == '{' ? '}' : ')';
    std::size_t i = SkipSpace(open + 1);
    if (i >= n_) return FailEnd();
    BibField field;
    if (d_[i] == close) {
      field.value_begin = field.value_end = i;
      block->fields.push_back(field);
      return i + 1;
    }
    i = ReadValue(i, close, &field, block);
    if (i == kNone) return kNone;
    field.value = file_->values.Store(UntrimmedLastValue(field.value));
    return CloseAfterValue(i, close, field, "preamble not closed", block);
  }

  // ---- entries ----

  // The key runs to white space, "," or (in a "{" entry) "}": bibtex takes
  // "=", "(", ")" in a "(" entry, and every other byte as part of it.  Once
  // the key is read the entry is one, whatever follows.
  std::size_t ReadEntry(std::size_t open, BibBlock* block) {
    char close = d_[open] == '{' ? '}' : ')';
    std::size_t i = SkipSpace(open + 1);
    if (i >= n_) return Fail("no key", n_);
    std::size_t key_begin = i;
    while (i < n_ && !Is(d_[i], kSpace) && d_[i] != ',' && !(close == '}' && d_[i] == '}')) i++;
    std::size_t key_end = i;
    block->key = std::string_view(d_ + key_begin, key_end - key_begin);
    block->key_begin = key_begin;
    block->key_end = key_end;
    fields_.clear();
    kept_ = true;
    repeated_key_ = !keys_seen_.Insert(FoldedKeyHash(block->key));

    i = SkipSpace(i);
    for (;;) {
      if (i >= n_) return FailEnd();
      if (d_[i] == close) break;
      if (d_[i] != ',') return Fail(fields_.empty() ? "missing ',' after the key"
                                                    : "missing ',' between fields", i);
      i = SkipSpace(i + 1);
      if (i >= n_) return FailEnd();
      if (d_[i] == close) break;
      std::size_t name_begin = i;
      i = ReadAssignment(name_begin, d_[i] == '@' ? "entry not closed" : "missing field name");
      if (i == kNone) return kNone;
      std::size_t name_end = NameEnd(name_begin);
      bool upper = false;
      for (std::size_t k = name_begin; k < name_end; k++) upper = upper || Is(d_[k], kUpper);
      BibField field;
      i = ReadValue(i, close, &field, block);
      if (i == kNone) return kNone;
      field.name = LowerName(name_begin, name_end, upper);
      fields_.push_back(field);
      i = SkipSpace(i);
    }
    block->fields.assign(std::make_move_iterator(fields_.begin()),
                         std::make_move_iterator(fields_.end()));
    return i + 1;
  }

  const char* d_;
  std::size_t n_;
  BibFile* file_;
  BibEntryVisitor visit_;
  void* context_;
  int entries_ = 0;
  std::size_t line_pos_ = 0;
  int line_ = 1;
  std::unordered_map<std::string, std::string> macros_;
  bool last_leading_ = false;  // white space at the ends of the last value read
  bool last_pending_ = false;
  std::vector<PendingUndefined> undefined_;
  std::string defining_;  // the macro whose value is being read, lower case
  std::vector<BibField> fields_;
  std::string value_;  // the value being read, before it is stored
  const char* error_ = nullptr;
  std::size_t error_pos_ = 0;  // where bibtex would stand at the error
  std::size_t error_line_pos_ = 0;  // where the report places it
  bool kept_ = false;          // what the block read before an error counts
  bool repeated_key_ = false;  // the entry's key, in any letter case, came before
  HashSet64 keys_seen_;        // hashes of the keys read, A-Z folded
  BraceSummary summary_;
  std::size_t paren_from_ = kNone;
  std::size_t paren_at_ = kNone;
};

}  // namespace

void ReadBibFile(const char* data, std::size_t size, BibFile* file) {
  Reader reader(data, size, file, nullptr, nullptr);
  reader.Run();
}

std::size_t CountAtSigns(const char* data, std::size_t size) {
  std::size_t count = 0;
  for (const char* p = data; size > 0;) {
    const void* hit = std::memchr(p, '@', size - static_cast<std::size_t>(p - data));
    if (hit == nullptr) break;
    count++;
    p = static_cast<const char*>(hit) + 1;
  }
  return count;
}

void ReadBibFileVisiting(const char* data, std::size_t size, BibFile* file, BibEntryVisitor visit,
                         void* context) {
  Reader reader(data, size, file, visit, context);
  reader.Run();
}

void ReadBibFileWithMacros(const char* data, std::size_t size, BibFile* file,
                           BibEntryVisitor visit, void* context, BibMacros* macros) {
  Reader reader(data, size, file, visit, context);
  reader.TakeMacros(*macros);
  reader.Run();
  reader.GiveMacros(macros);
}
