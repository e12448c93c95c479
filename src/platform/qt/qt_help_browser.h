// The help window: a compiled help file's pages as rich text, with the links, pictures and style sheets it
// holds.
#pragma once

#include <QTextBrowser>
#include <optional>
#include <string>

#include "platform/chm/chm_file.h"
#include "platform/chm/chm_link.h"

namespace sonaru::platform {

/// A window of its own over one CHM file. Links and resources are looked up inside that file only:
/// nothing is ever handed to the desktop or read from the disk beside it.
class QtHelpBrowser final : public QTextBrowser {
 public:
  /// A hidden window that stays with `owner` (above it, and gone with it); null for none.
  explicit QtHelpBrowser(QWidget* owner);

  /// Opens the file at `path` afresh and shows its default topic; when the file is missing, unreadable or
  /// holds no page, shows a line that says so instead.
  void Open(const std::string& path);

  /// A picture or a style sheet of the page shown, from inside the file; nothing when the file lacks it.
  QVariant loadResource(int type, const QUrl& name) override;

 protected:
  /// Every link followed, by a click, the keyboard or setSource, comes here; a link that leaves the file
  /// or names a page the file lacks leaves the page shown as it is.
  void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;

 private:
  std::optional<chm::ChmLink> Resolve(const QUrl& link) const;
  bool Show(const chm::ChmLink& link);

  std::optional<chm::ChmFile> file_;
  std::string page_;  // the path inside the file of the page shown, empty when none
};

}  // namespace sonaru::platform
