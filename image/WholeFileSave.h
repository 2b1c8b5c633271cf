// Writing a whole image over a file: into a new file that then takes the
// file's place in one step where the system allows it, else in place.
#pragma once

#include <cstdint>
#include <string>

// Writes size bytes over the file at path (created when absent). Every
// check of a save in place comes first: a file that cannot be opened for
// writing (read-only, a folder, held by a program that denies writing) is
// refused, never replaced around whoever holds it. Where the file can be
// replaced, it then holds exactly its old bytes or exactly its new ones
// whatever happens meanwhile; where it cannot (a full device, a folder
// that takes no new file, a file with more than one name, a replace the
// system refuses) it is overwritten in place and only then cut to size,
// so a failed save never leaves it truncated. False when it was not
// written whole.
bool SaveWholeFile(const std::string& path, const unsigned char* data, uint32_t size);
