// Reading a descriptor in the browser. A file the page holds (a File the
// user chose, or a target the run saved) is no copy in the browser's file
// system but a node that names it: it is read from the page piece by
// piece (File.slice), the run waiting meanwhile (Asyncify), so that only
// what the core itself keeps of a file is in memory. Other files are read
// from the browser's file system.
#include <emscripten.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/Files.h"

// clang-format off
EM_JS(int, qpxIsPageFile, (int fd), {
  const stream = FS.getStream(fd);
  return stream && stream.node.pageFile ? 1 : 0;
});
// The next count bytes at the descriptor's position into buffer: the
// count read, or -1.
EM_ASYNC_JS(int, qpxReadPageFile, (int fd, unsigned char* buffer, uint32_t count), {
  const stream = FS.getStream(fd);
  try {
    const start = stream.position;
    const piece = stream.node.pageFile.slice(start, start + count);
    const bytes = new Uint8Array(await piece.arrayBuffer());
    HEAPU8.set(bytes, buffer);
    stream.position = start + bytes.length;
    return bytes.length;
  } catch (error) {
    return -1;
  }
});
// clang-format on

namespace platform {

namespace {

// The most one read takes from the page: its copy of the piece is all the
// page holds meanwhile.
constexpr uint32_t kPagePieceSize = uint32_t{4} << 20;

}  // namespace

int Read(int fd, void* buffer, uint32_t count) {
  if (qpxIsPageFile(fd)) {
    int got = qpxReadPageFile(fd, static_cast<unsigned char*>(buffer),
                              std::min(count, kPagePieceSize));
    if (got < 0) errno = EIO;
    return got;
  }
  ssize_t got;
  do {
    got = ::read(fd, buffer, count);
  } while (got < 0 && errno == EINTR);
  return static_cast<int>(got);
}

}  // namespace platform
