#include "clean/rename.h"

#include <cstdio>

void RenameEnding(int number, char* ending, std::size_t ending_size) {
  // Bijective base 26: the digits are the letters, there is no zero.
  char reversed[16];
  std::size_t count = 0;
  unsigned long n = number > 0 ? static_cast<unsigned long>(number) : 1;
  while (n > 0 && count < sizeof reversed) {
    n--;
    reversed[count++] = static_cast<char>('a' + n % 26);
    n /= 26;
  }
  std::size_t out = 0;
  while (count > 0 && out + 1 < ending_size) ending[out++] = reversed[--count];
  if (ending_size > 0) ending[out] = '\0';
}

void FormNewKey(const char* key, int number, char* new_key, std::size_t new_key_size) {
  char ending[16];
  RenameEnding(number, ending, sizeof ending);
  std::snprintf(new_key, new_key_size, "%s_%s", key, ending);
}
