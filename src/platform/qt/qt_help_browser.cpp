// Pages, pictures and style sheets come out of the help file through libchm, never from the disk.
#include "platform/qt/qt_help_browser.h"

#include <QApplication>
#include <QScrollBar>
#include <QStringDecoder>

namespace sonaru::platform {

namespace {

// A page names its character set; a title, or a page in a set Qt lacks, is UTF-8 when valid, else Latin-1.
QString Decoded(const std::string& bytes, std::optional<QStringConverter::Encoding> encoding) {
  const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QStringDecoder decoder(encoding.value_or(QStringConverter::Utf8));
  const QString text = decoder.decode(view);
  return decoder.hasError() ? QString::fromLatin1(view) : text;
}

}  // namespace

QtHelpBrowser::QtHelpBrowser(QWidget* owner) : QTextBrowser(owner) {
  setWindowFlag(Qt::Window);
  resize(640, 480);
}

void QtHelpBrowser::Open(const std::string& path) {
  file_ = chm::ChmFile::Open(path);
  page_.clear();
  const std::string title = file_ ? file_->Title() : std::string();
  setWindowTitle(title.empty() ? QApplication::applicationName() : Decoded(title, QStringConverter::Utf8));
  const std::string topic = file_ ? file_->DefaultTopic() : std::string();
  if (topic.empty() || !Show({topic, {}})) {
    file_.reset();
    setPlainText(QString::fromStdString("Le fichier d'aide " + path + " est introuvable ou illisible."));
  }
}

QVariant QtHelpBrowser::loadResource(int type, const QUrl& name) {
  const std::optional<chm::ChmLink> link = Resolve(name);
  const std::optional<std::string> bytes = link ? file_->Read(link->path) : std::nullopt;
  if (!bytes) {
    return {};
  }
  if (type == QTextDocument::StyleSheetResource) {
    return Decoded(*bytes, QStringConverter::Utf8);
  }
  return QByteArray::fromStdString(*bytes);
}

void QtHelpBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType) {
  if (const std::optional<chm::ChmLink> link = Resolve(name)) {
    Show(*link);
  }
}

std::optional<chm::ChmLink> QtHelpBrowser::Resolve(const QUrl& link) const {
  if (!file_) {
    return std::nullopt;
  }
  return chm::ResolveLink(page_, link.toString(QUrl::FullyEncoded).toStdString());
}

bool QtHelpBrowser::Show(const chm::ChmLink& link) {
  if (link.path != page_) {
    const std::optional<std::string> page = file_->Read(link.path);
    if (!page) {
      return false;
    }
    // Set first: the page's pictures and style sheet are looked up from it while the text is set.
    page_ = link.path;
    const QByteArray bytes = QByteArray::fromStdString(*page);
    setHtml(Decoded(*page, QStringConverter::encodingForHtml(bytes)));
  }
  if (link.fragment.empty()) {
    verticalScrollBar()->setValue(0);
  } else {
    scrollToAnchor(QString::fromStdString(link.fragment));
  }
  return true;
}

}  // namespace sonaru::platform
