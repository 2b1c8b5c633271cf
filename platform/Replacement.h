// Writing a whole file all or nothing: a new file beside it that takes its
// place in one step, and the file a program loaded, held so that the save
// finds exactly that file or learns that another program changed it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

// A file opened to be loaded and saved later. It remembers which file it
// is (its identity, its size, last-write and change times when opened) and
// holds where it lies (on Linux its folder, on Windows the file itself),
// so that a link or folder swapped in meanwhile cannot move the save.
class CHeldFile {
 public:
  CHeldFile();
  ~CHeldFile();
  CHeldFile(const CHeldFile&) = delete;
  CHeldFile& operator=(const CHeldFile&) = delete;

  // Opens the existing file for reading and writing as Open does, links
  // followed, and holds it: a descriptor for the caller to read and close,
  // or -1 (nothing held) when it cannot be opened or is no regular file
  // (a FIFO or a device is refused at once, never waited on).
  int Open(const std::string& path);
  bool IsHeld() const;
  // True when the file at the held place is still the one opened, with
  // the size, last-write and change times it had then.
  bool IsUnchanged() const;
  // Opens the held file for writing in place, as it was opened; -1 when
  // it cannot be, or is no longer the file opened.
  int OpenForWriting() const;
  // After a save put new content in the held file's place: holds the file
  // now there, as it is now; false (nothing held) when there is none.
  bool Renew();
  void Release();

 private:
  friend class CReplacementFile;
  struct State;
  std::unique_ptr<State> state_;
};

// How a step of a replacement went.
enum class ReplaceStep {
  kDone,
  kNotPossible,  // the safe way cannot be taken here; the file is as it was
  kFailed,       // the device or the system failed, or the file was changed
                 // meanwhile; the file is as it was, but after a Commit
                 // whose folder could not be flushed
};

// A new file that takes a file's place in one step, so that the file holds
// exactly its old bytes or exactly its new ones, whatever happens to the
// process, the device or the power meanwhile:
//
//   CReplacementFile replacement;
//   replacement.Create(heldFile, size);          // kDone, or save in place
//   WriteFully(replacement.Descriptor(), ...);   // the whole new content
//   replacement.Commit();                        // kDone: it is in place
//
// The new file lies in the folder of the file (of the file a link names),
// hidden, under a short ASCII name of one length (ReplacementNames.h), so
// that every file system that holds the file's name holds it too. It is
// removed on every path that does not commit it, and a later replacement
// of the same file removes those that killed processes left behind, but
// for backups of a file that is gone.
class CReplacementFile {
 public:
  CReplacementFile();
  ~CReplacementFile();
  CReplacementFile(const CReplacementFile&) = delete;
  CReplacementFile& operator=(const CReplacementFile&) = delete;

  // Makes the new file for a held file of size bytes: kNotPossible when
  // the file has more than one name (a hard link would be cut off) or is
  // read-only, the folder takes no new file (permission, a read-only
  // device) or the device has no room for size bytes more; kFailed when
  // the file is no longer the one held, is no regular file, or the new
  // file cannot be made for any other reason.
  ReplaceStep Create(const CHeldFile& file, uint64_t size);
  // The same for the file at path, which need not exist yet: Commit then
  // gives it its name, with the permissions a new file gets.
  ReplaceStep Create(const std::string& path, uint64_t size);
  // The new file's descriptor, for Write.
  int Descriptor() const;
  // Flushes and closes the new file, gives it what the system keeps of the
  // old one (Linux: its mode, owner and group, or the group alone where
  // the owner cannot be given, its ACL and user attributes; Windows: its
  // attributes, ACL, creation time and streams, as ReplaceFileW keeps
  // them) and puts it in the file's place, then flushes the folder. For a
  // held file, kFailed when it was changed meanwhile: nothing is put in
  // place. kNotPossible when the system refuses (on Linux a folder that
  // lets no file be renamed over it; on Windows, another program holds the
  // file open without sharing its deletion); kFailed
  // when the device fails, also when only the folder could not be flushed
  // after the file took the new content (a power failure may then bring
  // back the old content, whole).
  ReplaceStep Commit();

 private:
  // How making the new file under one name went.
  enum class NewFile { kMade, kNameTaken, kFolderRefused, kFailed };

  ReplaceStep CreateBeside(uint64_t size);

  // The steps each system takes its own way (Replacement_posix.cpp,
  // Replacement_win.cpp); Replacement.cpp takes them in order.
  //
  // Where the held file lies, or the file at path (which need not exist):
  // false when that cannot be told.
  bool Locate(const CHeldFile& file);
  bool Locate(const std::string& path);
  // Looks at the file there now, noting whether it exists: kNotPossible or
  // kFailed as Create says.
  ReplaceStep Examine();
  void RemoveLeftovers() const;
  bool HasRoomFor(uint64_t size) const;
  // Makes the new file under the name of the attempt, giving fd_.
  NewFile CreateNewFile(int attempt);
  // Gives the new file, before it is flushed, what the system keeps of
  // the old one and its replace does not; false when that fails.
  bool GiveKept() const;
  // Puts the flushed and closed new file in the file's place, noting
  // committed_, and flushes the folder.
  ReplaceStep PutInPlace();
  // (The destructor closes the new file and removes it unless committed.)

  struct State;  // each system's names for the file and the new file
  std::unique_ptr<State> state_;
  const CHeldFile* held_ = nullptr;  // the file must still be this one
  bool exists_ = false;              // the file is there to be replaced
  int fd_ = -1;                      // the new file, until it is closed
  bool committed_ = false;           // the new file has taken the file's place
};

}  // namespace platform
