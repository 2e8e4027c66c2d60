#include "match/places_by_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

std::vector<long long> Offsets(const std::vector<EntryPlace>& places) {
  std::vector<long long> offsets;
  for (EntryPlace place : places) offsets.push_back(place.offset);
  return offsets;
}

std::vector<long long> Collected(const PlacesByText& index, std::vector<std::uint64_t> texts) {
  std::vector<EntryPlace> places;
  index.Collect(texts, &places);
  return Offsets(places);
}

TEST(PlacesByTextTest, GivesEveryPlaceOfTheTextsInFileOrderOnce) {
  PlacesByText index;
  index.Note(7, EntryPlace{10});
  index.Note(9, EntryPlace{10});
  index.Note(7, EntryPlace{30});
  index.Note(7, EntryPlace{30});  // one entry noted twice under one text
  index.Note(9, EntryPlace{50});
  EXPECT_EQ(Collected(index, {7}), (std::vector<long long>{10, 30}));
  EXPECT_EQ(Collected(index, {9}), (std::vector<long long>{10, 50}));
  EXPECT_EQ(Collected(index, {9, 7}), (std::vector<long long>{10, 30, 50}));
  EXPECT_EQ(Collected(index, {8}), (std::vector<long long>{}));
  index.Clear();
  EXPECT_EQ(Collected(index, {7}), (std::vector<long long>{}));
}

TEST(PlacesByTextTest, EmptyIndexFindsNothingAndKeepsWhatWasCollected) {
  PlacesByText index;
  std::vector<EntryPlace> places = {EntryPlace{40}, EntryPlace{20}, EntryPlace{40}};
  index.Collect({1, 2}, &places);
  EXPECT_EQ(Offsets(places), (std::vector<long long>{20, 40}));
}

// Texts that all fall on the same slots of the table (alike in their low
// bits), in numbers that make it grow many times: none is lost or mixed
// with another.
TEST(PlacesByTextTest, CrowdedTextsStayApartAsTheTableGrows) {
  PlacesByText index;
  const int kTexts = 5000;
  for (int round = 0; round < 3; round++) {
    for (int t = 0; t < kTexts; t++) {
      index.Note(static_cast<std::uint64_t>(t) << 32, EntryPlace{round * 100000LL + t});
    }
  }
  for (int t = 0; t < kTexts; t += 997) {
    EXPECT_EQ(Collected(index, {static_cast<std::uint64_t>(t) << 32}),
              (std::vector<long long>{t, 100000LL + t, 200000LL + t}));
  }
  EXPECT_EQ(Collected(index, {static_cast<std::uint64_t>(kTexts) << 32}), (std::vector<long long>{}));
}

// Two texts alike in their high half and in the bits that choose their
// first slot: each keeps its own places, before and after the table grows.
TEST(PlacesByTextTest, TextsAlikeInHalfTheirBitsStayApart) {
  PlacesByText index;
  const std::uint64_t a = (std::uint64_t{77} << 32) | 5;
  const std::uint64_t b = (std::uint64_t{77} << 32) | (5 + 1024);
  index.Note(a, EntryPlace{1});
  index.Note(b, EntryPlace{2});
  EXPECT_EQ(Collected(index, {b}), (std::vector<long long>{2}));
  for (int t = 0; t < 3000; t++) index.Note(static_cast<std::uint64_t>(1000 + t) << 40, EntryPlace{10 + t});
  EXPECT_EQ(Collected(index, {a}), (std::vector<long long>{1}));
  EXPECT_EQ(Collected(index, {b}), (std::vector<long long>{2}));
}

}  // namespace

namespace {

std::vector<long long> InOrder(const PlacesByText& index, std::vector<std::uint64_t> texts, int most) {
  PlacesByText::Cursor cursor = index.InOrder(texts);
  std::vector<long long> offsets;
  EntryPlace place;
  while (static_cast<int>(offsets.size()) < most && cursor.Next(&place)) offsets.push_back(place.offset);
  return offsets;
}

// The cursor gives what Collect gives, one place at a time: the texts'
// places merged in file order, a place noted under two texts once, and it
// can stop after the first of a text noted for many entries.
TEST(PlacesByTextTest, CursorMergesTheTextsInFileOrder) {
  PlacesByText index;
  for (long long offset = 0; offset < 100000; offset += 10) index.Note(1, EntryPlace{offset});
  index.Note(2, EntryPlace{5});
  index.Note(2, EntryPlace{20});
  index.Note(2, EntryPlace{99995});
  EXPECT_EQ(InOrder(index, {2, 1}, 5), (std::vector<long long>{0, 5, 10, 20, 30}));
  EXPECT_EQ(InOrder(index, {2}, 10), (std::vector<long long>{5, 20, 99995}));
  EXPECT_EQ(InOrder(index, {2, 2}, 10), (std::vector<long long>{5, 20, 99995}));
  EXPECT_EQ(InOrder(index, {3}, 10), (std::vector<long long>{}));
  EXPECT_EQ(InOrder(PlacesByText(), {1}, 10), (std::vector<long long>{}));
}

// Room made before, between and after notes: the places noted stay
// found, in file order.
TEST(PlacesByTextTest, ReservingKeepsWhatWasNoted) {
  PlacesByText index;
  index.Reserve(0);
  index.Note(3, EntryPlace{5});
  index.Reserve(100000);  // the table is rebuilt larger
  index.Note(3, EntryPlace{8});
  index.Note(4, EntryPlace{9});
  index.Reserve(10);  // smaller than the table: nothing changes
  EXPECT_EQ(Collected(index, {3}), (std::vector<long long>{5, 8}));
  EXPECT_EQ(Collected(index, {4, 3}), (std::vector<long long>{5, 8, 9}));
}

}  // namespace

