// A compiled help file (CHM) opened for reading: its default topic, its title and the objects it stores.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct chmFile;

namespace sonaru::platform::chm {

/// One open CHM file, read through libchm. Paths inside the file start with "/" ("/index.html",
/// "/images/logo.png"); letter case does not matter. Movable, not copyable; the file closes with the object.
class ChmFile {
 public:
  /// Opens the CHM file at `path`. Nothing when the file is missing, unreadable or not a CHM file.
  static std::optional<ChmFile> Open(const std::string& path);

  /// The path of the page to show first: the default topic that the file names, when the file holds it;
  /// else the first of "/index.html", "/index.htm", "/default.html", "/default.htm" that it holds; else its
  /// first HTML page in path order. Empty when the file holds no HTML page.
  std::string DefaultTopic() const;

  /// The title that the file names for its help window, as stored; empty when it names none.
  std::string Title() const;

  /// The bytes of the object stored at `objectPath` (a page, a picture, a style sheet). Nothing when the
  /// file holds no such object or it cannot be read whole.
  std::optional<std::string> Read(std::string_view objectPath) const;

 private:
  struct Closer {
    void operator()(chmFile* file) const;
  };

  explicit ChmFile(chmFile* file);

  std::optional<std::string> SystemEntry(int code) const;
  bool Holds(const std::string& objectPath) const;
  std::string FirstPage() const;

  std::unique_ptr<chmFile, Closer> file_;
};

}  // namespace sonaru::platform::chm
