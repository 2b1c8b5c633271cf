// The target image: one whole file held in memory, changed byte by byte
// and written back whole.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

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

class CSourceData {
 public:
  CSourceData() = default;
  CSourceData(const CSourceData&) = delete;
  CSourceData& operator=(const CSourceData&) = delete;

  // Replaces any held buffer by one of n bytes (contents undefined);
  // nullptr, with no buffer held, when none can be obtained.
  virtual unsigned char* Allocate(uint32_t n);
  virtual void Release();
  virtual ~CSourceData();
  // Writes the whole image over the file at path (created when absent), as
  // SaveWholeFile does: where the file can be replaced it holds exactly its
  // old or its new bytes afterwards, whatever happens meanwhile.
  virtual int Save(std::string path);
  // Reads the whole file. False when it cannot be opened for reading and
  // writing or read completely; throws kAllocationFailed when no buffer of
  // its size can be obtained.
  virtual int Load(std::string path);
  virtual int SetByte(uint32_t position, unsigned char value);
  virtual unsigned char GetByte(uint32_t position);

  int32_t IsModified() const { return modified_; }
  void SetModified(int32_t flag) { modified_ = flag; }
  uint32_t GetSize() const { return length_; }
  unsigned char* GetPointer(uint32_t position);

 private:
  bool Holds(uint32_t position, uint32_t count) const;

  unsigned char* data_ = nullptr;
  uint32_t length_ = 0;
  int32_t modified_ = 0;
};
