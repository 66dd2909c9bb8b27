#pragma once
#include <string>

// A Windows profile file: Config.ini beside the program. Reads give the empty
// text when a key is missing; writes create the file when the folder allows.
class CProfileFile {
 public:
  explicit CProfileFile(std::wstring path) : path_(std::move(path)) {}

  // At most 63 characters, as the stored values are meant to be.
  [[nodiscard]] std::wstring ReadText(const wchar_t* section, const wchar_t* key) const;
  [[nodiscard]] int ReadInt(const wchar_t* section, const wchar_t* key) const;
  void WriteText(const wchar_t* section, const wchar_t* key, const std::wstring& value) const;

  [[nodiscard]] const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_;
};
