// The help window on Qt's offscreen platform: the help file of the build, its links, pictures and style
// sheet, a missing file, and F1 on the real main window.
#include "platform/qt/qt_help_viewer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QTextBlock>
#include <QUrl>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/qt/qt_application.h"
#include "platform/qt/qt_help_browser.h"
#include "qt_form_test.h"

namespace sonaru::test {
namespace {

using namespace platform;
namespace fs = std::filesystem;

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class UrlRecorder : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> opened;
  Q_INVOKABLE void open(const QUrl& url) { opened.push_back(url); }
};

class HelpViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    Application();
  }

  QtHelpBrowser* Open(const std::string& file) {
    help.HtmlHelpA(file, HH_DISPLAY_TOPIC);
    return help.Window();
  }

  QtToolkit toolkit;
  QtHelpViewer help{toolkit};
};

/// The help file of the build, open at its default topic.
class BuiltHelpTest : public HelpViewerTest {
 protected:
  void SetUp() override {
    HelpViewerTest::SetUp();
    if (!SONARU_HELP_BUILT) {
      GTEST_SKIP() << "chmcmd was not found: the build has no help file";
    }
    browser = Open(SONARU_HELP_FILE);
    ASSERT_NE(browser, nullptr);
  }

  QtHelpBrowser* browser = nullptr;
};

TEST_F(BuiltHelpTest, TheBuiltFileShowsItsDefaultTopicInAWindowOfItsOwnUnderItsTitle) {
  EXPECT_TRUE(browser->toPlainText().contains("Bienvenue dans Sonaru."));
  EXPECT_EQ(browser->windowTitle(), "Aide de Sonaru");
  EXPECT_TRUE(browser->isWindow());
  EXPECT_TRUE(browser->isVisible());
  EXPECT_GE(browser->width(), 400);
  EXPECT_GE(browser->height(), 300);
}

TEST_F(BuiltHelpTest, ThePictureAndTheStyleSheetComeFromInsideTheFile) {
  const QByteArray picture =
      browser->loadResource(QTextDocument::ImageResource, QUrl("images/haut-parleur.png")).toByteArray();
  EXPECT_EQ(picture.toStdString(), Contents(SONARU_HELP_SOURCE_DIR "/images/haut-parleur.png"));
  EXPECT_EQ(QImage::fromData(picture).size(), QSize(48, 48));

  // The page's own picture, by the name the page gives it, and its heading in the style sheet's colour.
  const QTextBlock heading = browser->document()->firstBlock();
  ASSERT_TRUE(heading.text().contains("Sonaru"));
  const QTextCharFormat image = heading.begin().fragment().charFormat();
  ASSERT_TRUE(image.isImageFormat());
  EXPECT_FALSE(
      browser->document()->resource(QTextDocument::ImageResource, image.toImageFormat().name()).isNull());
  EXPECT_EQ(heading.charFormat().foreground().color(), QColor("#1f4e79"));
}

TEST_F(BuiltHelpTest, NothingIsReadFromOutsideTheFile) {
  for (const char* name :
       {"images/absente.png", "/etc/hostname", "../../../etc/hostname", "file:///etc/hostname"}) {
    EXPECT_TRUE(browser->loadResource(QTextDocument::ImageResource, QUrl(name)).isNull()) << name;
  }
}

TEST_F(BuiltHelpTest, TheKeyboardFollowsTheFirstLinkToTheSecondPage) {
  browser->setFocus();
  QTest::keyClick(browser, Qt::Key_Tab);
  QTest::keyClick(browser, Qt::Key_Return);
  EXPECT_TRUE(browser->toPlainText().contains("La fenêtre et ses colonnes"));
  EXPECT_FALSE(browser->toPlainText().contains("Bienvenue"));
}

TEST_F(BuiltHelpTest, LinksInsideTheFileAreFollowedAndOthersLeaveThePageAlone) {
  UrlRecorder desktop;
  for (const char* scheme : {"http", "https", "mailto", "file"}) {
    QDesktopServices::setUrlHandler(scheme, &desktop, "open");
  }
  browser->setSource(QUrl("curseurs.html"));
  const QString slider = browser->toPlainText();
  EXPECT_TRUE(slider.startsWith("Sommaire\nLes curseurs"));
  for (const char* elsewhere : {"http://example.com/", "mailto:aide@example.com", "absente.html"}) {
    browser->setSource(QUrl(elsewhere));
    EXPECT_EQ(browser->toPlainText(), slider) << elsewhere;
  }
  browser->setSource(QUrl("/index.html"));
  EXPECT_TRUE(browser->toPlainText().contains("Bienvenue"));
  for (const char* scheme : {"http", "https", "mailto", "file"}) {
    QDesktopServices::unsetUrlHandler(scheme);
  }
  EXPECT_TRUE(desktop.opened.isEmpty());
}

class HelpFolderTest : public HelpViewerTest {
 protected:
  void SetUp() override {
    HelpViewerTest::SetUp();
    std::string pattern = (fs::temp_directory_path() / "sonaru-help-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder = pattern;
  }
  void TearDown() override { fs::remove_all(folder); }

  std::string Line(const fs::path& file) {
    return "Le fichier d'aide " + file.string() + " est introuvable ou illisible.";
  }

  fs::path folder;
};

TEST_F(HelpFolderTest, AMissingOrUnreadableFileShowsOneFrenchLineInTheWindowItself) {
  const fs::path missing = folder / "Sonaru.CHM";
  QtHelpBrowser* browser = Open(missing.string());
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(browser->toPlainText().toStdString(), Line(missing));
  EXPECT_TRUE(browser->isVisible());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

  const fs::path notHelp = folder / "texte.CHM";
  std::ofstream(notHelp) << "<html><body>Pas une aide compilée</body></html>";
  EXPECT_EQ(Open(notHelp.string())->toPlainText().toStdString(), Line(notHelp));
}

TEST_F(HelpFolderTest, EachCallRaisesTheOneWindowOverTheFileAsItIsNow) {
  if (!SONARU_HELP_BUILT) {
    GTEST_SKIP() << "chmcmd was not found: the build has no help file";
  }
  const fs::path file = folder / "Sonaru.CHM";
  QtHelpBrowser* first = Open(file.string());
  first->hide();
  fs::copy_file(SONARU_HELP_FILE, file);
  EXPECT_EQ(Open(file.string()), first);
  EXPECT_TRUE(first->isVisible());
  EXPECT_TRUE(first->toPlainText().contains("Bienvenue dans Sonaru."));
  fs::remove(file);
  EXPECT_EQ(Open(file.string())->toPlainText().toStdString(), Line(file));
  help.HtmlHelpA(SONARU_HELP_FILE, 1);  // no other command shows anything
  EXPECT_EQ(first->toPlainText().toStdString(), Line(file));
}

class HelpKeyTest : public QtFormTest {
 protected:
  void SetUp() override {
    QtFormTest::SetUp();
    process.resourceDirectory = SONARU_BUILD_DIR;
    services().help = &help;
  }

  QtHelpViewer help{toolkit};
};

TEST_F(HelpKeyTest, F1OpensTheHelpOwnedByTheMainWindowWhichStaysInUse) {
  if (!SONARU_HELP_BUILT) {
    GTEST_SKIP() << "chmcmd was not found: the build has no help file";
  }
  Open();
  QTest::keyClick(form->windowHandle(), Qt::Key_F1);

  const QList<QtHelpBrowser*> viewers = form->findChildren<QtHelpBrowser*>();
  ASSERT_EQ(viewers.size(), 1);
  QtHelpBrowser* viewer = viewers[0];
  EXPECT_EQ(viewer->parentWidget(), form);
  EXPECT_TRUE(viewer->isWindow());
  EXPECT_TRUE(viewer->isVisible());
  EXPECT_EQ(viewer->windowModality(), Qt::NonModal);
  // Offscreen's screen is 800 pixels wide: no room beside the main window, so the help stays on the screen.
  EXPECT_TRUE(form->screen()->availableGeometry().contains(viewer->geometry()));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_TRUE(viewer->toPlainText().contains("Bienvenue dans Sonaru."));

  // The main window still answers while the help is open.
  QCheckBox* cdBox = form->findChildren<QCheckBox*>().at(4);
  QTest::mouseClick(cdBox, Qt::LeftButton, {}, QPoint(5, cdBox->height() / 2));
  EXPECT_EQ(mixer.Line(MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC).mute->value, 1);

  form->activateWindow();
  QTest::keyClick(form->windowHandle(), Qt::Key_F1);
  EXPECT_EQ(form->findChildren<QtHelpBrowser*>(), viewers);

  toolkit.Unload();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(help.Window(), nullptr);  // gone with its owner
}

TEST(HelpWindowPlace, StaysOnTheMainWindowsScreen) {
  struct Case {
    QRect owner;
    QPoint expected;
  };
  const QRect screen(0, 0, 1280, 1024);
  const QSize help(640, 480);
  for (const Case& c : {Case{{10, 20, 582, 300}, {592, 20}},       // room on the right
                        Case{{600, 20, 582, 300}, {640, 20}},      // room on neither side: over it, on screen
                        Case{{700, 20, 582, 300}, {60, 20}},       // room on the left only
                        Case{{10, 900, 582, 300}, {592, 544}}}) {  // kept above the screen's bottom
    EXPECT_EQ(HelpWindowPlace(c.owner, help, screen), c.expected) << c.owner.x() << "," << c.owner.y();
  }
  EXPECT_EQ(HelpWindowPlace({1400, 0, 582, 300}, help, QRect(1280, 0, 1920, 1080)), QPoint(1982, 0));
}

}  // namespace
}  // namespace sonaru::test

#include "qt_help_viewer_test.moc"
