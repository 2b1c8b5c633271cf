// A fresh folder for one end-to-end test, named after the test, under the
// build folder (kept after the run for a look at what was left there).
#pragma once

#include <string>

namespace e2e {

class CaseFolder {
 public:
  // Empties or creates the folder of the running test.
  CaseFolder();

  const std::string& Path() const { return path_; }
  // Linux path of a file or folder in it; `name` is UTF-8 and may hold "/".
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // Windows (code page 932) path of the folder or of a name in it.
  std::string Win() const;
  std::string Win(const std::string& name) const;
  // Writes the bytes, creating the folders on the way.
  void Write(const std::string& name, const std::string& bytes) const;
  std::string Read(const std::string& name) const;
  bool Exists(const std::string& name) const;

 private:
  std::string path_;
};

}  // namespace e2e
