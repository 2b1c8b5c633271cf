// What a save gives the new file of the old one's extended attributes.
#pragma once

namespace platform::posix {

// Copies the kept attributes (the ACL, and the user.* ones) of one open
// file to another, as far as the file system takes them.
void CopyAttributes(int from, int to);

}  // namespace platform::posix
