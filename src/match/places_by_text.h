// Indexes that make the in-order scans cheap.  Every decision of compare
// and clean doubles is defined by reading entries in order from the start
// and stopping at the first that decides.  An entry can only decide about
// another when they share a text (a key, or a text of match_rules.h), so an
// index remembers, for each text, the places of the entries that have it;
// an operation then reads only the entries that share a text with the one
// it looks for, in file order, and stops at the same entry as the scan from
// the start would.  The operations cost about one pass over their inputs
// instead of one pass per entry.
#ifndef TAMREL_MATCH_PLACES_BY_TEXT_H
#define TAMREL_MATCH_PLACES_BY_TEXT_H

#include <cstdint>
#include <vector>

#include "entry/entry_record.h"

// The places of the entries with each text.  A text is kept as a 64-bit
// hash (match_rules.h): two texts that hash alike only add a candidate,
// which the decision then turns down, so the index stays exact and costs no
// copy of any text.  The table is one open-addressed array of slots (the
// hash and the text's first and last places) and one array of places
// chained per text, so a large library costs a few allocations, not one
// per text.  Each text's places are
// chained in file order, so a search can read them lazily and stop at the
// place that decides.
class PlacesByText {
 public:
  // The places of some texts in file order, each once, read one at a time:
  // a text noted for a whole library costs only the places read.
  class Cursor {
   public:
    // Gives the next place; 0 when there is none.
    int Next(EntryPlace* place);

   private:
    friend class PlacesByText;
    const PlacesByText* index_ = nullptr;
    std::vector<std::uint32_t> heads_;  // per text, the next node not given
    long long last_ = -1;               // the last offset given
  };


  // Adds place for text.  Places are noted in file order.
  void Note(std::uint64_t text, EntryPlace place);
  // Appends to places every place noted for one of texts, and sorts them
  // into file order, each once.
  void Collect(const std::vector<std::uint64_t>& texts, std::vector<EntryPlace>* places) const;
  // The places noted for one of texts, in file order, one at a time.
  Cursor InOrder(const std::vector<std::uint64_t>& texts) const;
  void Clear();
  // Makes room for about `texts` texts and places at once: a table that
  // grows by doubling clears and fills each smaller table on the way.
  void Reserve(std::size_t texts);

 private:
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
  // A slot holds its text's whole hash, so that probing and growing the
  // table never read the chains.
  struct Slot {
    std::uint64_t text = 0;
    std::uint32_t first = kNone;  // its first place noted
    std::uint32_t last = kNone;   // its last place noted; kNone: the slot is free
  };
  struct Node {
    EntryPlace place;
    std::uint32_t next;  // the place noted after it for the text, or kNone
  };

  // The first node of text, or kNone.
  std::uint32_t FirstNode(std::uint64_t text) const;

  // The slot of text, or the free slot where it would go.
  std::size_t SlotOf(std::uint64_t text) const;
  void Grow();
  void Resize(std::size_t size);

  std::vector<Slot> slots_;  // a power of two in size, at most half used
  std::size_t used_ = 0;
  std::vector<Node> nodes_;
};

// Sorts places into file order and drops repeats.
void SortPlaces(std::vector<EntryPlace>* places);

#endif
