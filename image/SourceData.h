// The target image: one whole file held in memory, changed byte by byte
// and written back whole.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

#include "platform/Memory.h"
#include "platform/Replacement.h"

class CSourceDataException : public std::exception {
 public:
  enum Code : int32_t {
    kAllocationFailed = 0,  // no buffer for the file could be obtained
    kOutOfRange = 1,        // a read outside the image
  };
  explicit CSourceDataException(int32_t code) : code_(code) {}
  const char* what() const noexcept override { return "CSourceDataException"; }
  int32_t GetCode() const { return code_; }

 private:
  int32_t code_;
};

// Load, Save and the byte calls are what other images change: qpx's
// progress bar, and a dry run that writes nothing.
class CSourceData {
 public:
  CSourceData() = default;
  CSourceData(const CSourceData&) = delete;
  CSourceData& operator=(const CSourceData&) = delete;
  virtual ~CSourceData() = default;

  // Replaces any held buffer by one of n bytes (contents undefined);
  // nullptr, with no buffer held, when none can be obtained.
  unsigned char* Allocate(uint32_t n);
  void Release();
  // Writes the whole image over the file at path (created when absent), as
  // SaveWholeFile does: where the file can be replaced it holds exactly its
  // old or its new bytes afterwards, whatever happens meanwhile. Saved to
  // the path it was loaded from, the image goes to exactly the file it was
  // loaded from, and to nothing when another program changed, replaced or
  // removed that file since.
  virtual bool Save(std::string path);
  // Reads the whole file, links followed, and holds it for the save. False
  // when it cannot be opened for reading and writing or read completely;
  // throws kAllocationFailed when no buffer of its size can be obtained.
  virtual bool Load(std::string path);
  // False, with nothing changed, for a position outside the image.
  virtual bool SetByte(uint32_t position, unsigned char value);
  // Throws kOutOfRange for a position outside the image.
  virtual unsigned char GetByte(uint32_t position) const;
  // An image that does not hold its file's bytes (a dry run's file not
  // chosen yet, of unknown size) notes that every byte from first to last
  // is stored to and answers true; an image that holds them answers false,
  // and takes its stores one by one.
  virtual bool NoteStoredRange(uint32_t /*first*/, uint32_t /*last*/) { return false; }

  bool IsModified() const { return modified_; }
  void SetModified(bool modified) { modified_ = modified; }
  uint32_t GetSize() const { return length_; }
  unsigned char* GetPointer(uint32_t position);

 private:
  bool Holds(uint32_t position) const { return block_.IsValid() && position < length_; }
  unsigned char* Data() const { return reinterpret_cast<unsigned char*>(block_.Get()); }

  // Straight from the system: a file of hundreds of megabytes loads several
  // times faster into such a block. An empty file still takes one byte, so
  // that a loaded empty file differs from no file at all.
  platform::CAutoFreeBlock block_;
  uint32_t length_ = 0;
  bool modified_ = false;
  // The file loaded, and the path it was loaded by.
  platform::CHeldFile file_;
  std::string loadedPath_;
};
