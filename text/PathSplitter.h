// Splitting a path into drive, folder, file name and extension by the
// rules of the C runtime's _splitpath under code page 932: the trail byte
// of a double-byte character is never taken for a separator or a dot.
#pragma once

#include <string>

struct PathParts {
  std::string drive;      // "C:" or empty
  std::string folder;     // up to and including the last \ or /
  std::string name;       // the file name without its extension
  std::string extension;  // from the last dot of the file name, or empty
  // A part is longer than the runtime's 255 bytes: the runtime would cut
  // it, and the cut path would name another file.
  bool overLong = false;
};

// True for a code page 932 lead byte (the first byte of a double-byte
// character).
bool IsLeadByte(unsigned char c);

// No part is cut; overLong tells a path the runtime would cut.
PathParts SplitPath(const std::string& path);
