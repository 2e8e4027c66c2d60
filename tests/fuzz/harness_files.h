// Helpers of the fuzz harnesses: turn fuzz data into input files.
#ifndef TAMREL_FUZZ_HARNESS_FILES_H
#define TAMREL_FUZZ_HARNESS_FILES_H

#include <cstddef>
#include <cstdint>
#include <string>

// A folder of the harness's own, made once per process.
const std::string& FuzzFolder();

// Splits data at the first byte 0xFF into two parts (the second empty when
// there is none) and writes them to the named files inside FuzzFolder().
// Returns the two full paths.
void WriteFuzzFiles(const std::uint8_t* data, std::size_t size, const char* first_name,
                    const char* second_name, std::string* first_path, std::string* second_path);

// Writes all of data to the named file inside FuzzFolder(); returns its path.
std::string WriteFuzzFile(const std::uint8_t* data, std::size_t size, const char* name);

// Removes every file of FuzzFolder(), so outputs do not pile up.
void ClearFuzzFolder();

#endif
