// Writing a whole image over a file: into a new file that then takes the
// file's place in one step where the system allows it, else in place.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Replacement.h"

// Writes size bytes over the held file, the file an image was loaded from.
// Nothing is written when it is no longer the file loaded, with the size,
// last-write and change times it had then (another program changed, replaced or
// removed it). Every check of a save in place comes first: a file that
// cannot be opened for writing (read-only, held by a program that denies
// writing) is refused, never replaced around whoever holds it. Where the
// file can be replaced, it then holds exactly its old bytes or exactly its
// new ones whatever happens meanwhile; where it cannot (a full device, a
// folder that takes no new file, a file with more than one name, a replace
// the system refuses) it is overwritten in place and only then cut to
// size, so a failed save never leaves it truncated. Any other failure to
// make the new file fails the save, the file left as it was. False when
// it was not written whole.
bool SaveWholeFile(const platform::CHeldFile& file, const unsigned char* data, uint32_t size);

// The same for the file at path, created when absent.
bool SaveWholeFile(const std::string& path, const unsigned char* data, uint32_t size);
