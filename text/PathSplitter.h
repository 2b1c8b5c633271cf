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
};

// True for a code page 932 lead byte (the first byte of a double-byte
// character).
bool IsLeadByte(unsigned char c);

// Each part is cut to 255 bytes, as the runtime's buffers are.
PathParts SplitPath(const std::string& path);
