// Reading a descriptor in the browser. A file the page holds (a File the
// user chose, or a target the run saved) is no copy in the browser's file
// system but a node that names it: it is read from the page piece by
// piece (a stream of the File's slice from the position on), the run
// waiting meanwhile (Asyncify), so that only what the core itself keeps
// of a file is in memory. Other files are read from the browser's file
// system.
#include <emscripten.h>

#include <algorithm>
#include <cerrno>

#include "platform/Files.h"
#include "platform/Files_posix.h"

// clang-format off
EM_JS(int, qpxIsPageFile, (int fd), {
  const stream = FS.getStream(fd);
  return stream && stream.node.pageFile ? 1 : 0;
});
// The next count bytes at the descriptor's position into buffer: the
// count read, or -1. The file is read as a stream that goes on while the
// reads follow each other, into one buffer the page keeps for all reads:
// nothing is left behind for the garbage collector per piece.
EM_ASYNC_JS(int, qpxReadPageFile, (int fd, unsigned char* buffer, uint32_t count), {
  const stream = FS.getStream(fd);
  try {
    if (!stream.pageReader || stream.pageReaderAt !== stream.position) {
      if (stream.pageReader) stream.pageReader.cancel();
      stream.pageReader = stream.node.pageFile.slice(stream.position).stream().getReader({ mode: "byob" });
      stream.pageReaderAt = stream.position;
    }
    let spare = Module.qpxReadBuffer;
    if (!spare || spare.byteLength < count) spare = new ArrayBuffer(count);
    let filled = 0;
    while (filled < count) {
      const { value, done } = await stream.pageReader.read(new Uint8Array(spare, filled, count - filled));
      if (!value) throw new Error("the read was cancelled");
      spare = value.buffer;
      filled += value.length;
      if (done) break;
    }
    HEAPU8.set(new Uint8Array(spare, 0, filled), buffer);
    Module.qpxReadBuffer = spare;
    stream.position += filled;
    stream.pageReaderAt = stream.position;
    return filled;
  } catch (error) {
    Module.qpxReadBuffer = null;
    stream.pageReader = null;
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
  return posix::ReadRetried(fd, buffer, count);
}

}  // namespace platform
