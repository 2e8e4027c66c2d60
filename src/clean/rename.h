// New keys for entries that reuse a key with other content.  The endings
// count the new keys of one run, whatever keys they belong to: the first
// new key of a run ends in "_a", the second in "_b", and so on.
#ifndef TAMREL_CLEAN_RENAME_H
#define TAMREL_CLEAN_RENAME_H

#include <cstddef>

// The ending of the number-th new key of a run (from 1): "a" ... "z",
// then "aa", "ab", ... "az", "ba", ... "zz", "aaa", ...  After the 26th
// key the endings stay letters, so every new key is still a valid BibTeX
// key and none repeats.  At most seven letters for any int.
void RenameEnding(int number, char* ending, std::size_t ending_size);

// key, "_" and the ending of the number-th new key: 'Smith2001_a'.
void FormNewKey(const char* key, int number, char* new_key, std::size_t new_key_size);

#endif
