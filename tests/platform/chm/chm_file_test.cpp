// The help file that the build compiles, read back through the CHM reader; and files that are no CHM.
#include "platform/chm/chm_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <vector>

#include "platform/chm/chm_link.h"

namespace sonaru::platform::chm {
namespace {

namespace fs = std::filesystem;

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::vector<std::string> Attributes(const std::string& page, const char* name) {
  const std::regex attribute(std::string(name) + "=\"([^\"]*)\"");
  std::vector<std::string> values;
  for (auto match = std::sregex_iterator(page.begin(), page.end(), attribute);
       match != std::sregex_iterator(); ++match) {
    values.push_back((*match)[1]);
  }
  return values;
}

class BuiltHelpFile : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!SONARU_HELP_BUILT) {
      GTEST_SKIP() << "built without chmcmd: there is no help file";
    }
    file_ = ChmFile::Open(SONARU_HELP_FILE);
    ASSERT_TRUE(file_) << SONARU_HELP_FILE;
  }

  std::string Page(const std::string& path) {
    const std::optional<std::string> bytes = file_->Read(path);
    EXPECT_TRUE(bytes) << path;
    return bytes.value_or("");
  }

  std::optional<ChmFile> file_;
};

TEST_F(BuiltHelpFile, DefaultTopicIsTheFrenchWelcomePage) {
  const std::string topic = file_->DefaultTopic();
  EXPECT_EQ(topic, "/index.html");
  const std::string page = Page(topic);
  EXPECT_TRUE(Contains(page, "Bienvenue dans Sonaru. Sonaru enregistre et rétablit les réglages")) << page;
  EXPECT_TRUE(Contains(page, "<html lang=\"fr\">"));
  EXPECT_EQ(file_->Title(), "Aide de Sonaru");
}

TEST_F(BuiltHelpFile, LinkOnTheWelcomePageLeadsToTheWindowPage) {
  const std::string welcome = Page(file_->DefaultTopic());
  const std::vector<std::string> links = Attributes(welcome, "href");
  ASSERT_NE(std::find(links.begin(), links.end(), "fenetre.html"), links.end());

  const std::optional<ChmLink> link = ResolveLink(file_->DefaultTopic(), "fenetre.html");
  ASSERT_TRUE(link);
  const std::string page = Page(link->path);
  EXPECT_TRUE(Contains(page, "<h1>La fenêtre et ses colonnes</h1>")) << page;
}

// Every page of the contents is reachable from the welcome page, and no link or picture of any page is
// missing from the file.
TEST_F(BuiltHelpFile, EveryPageIsReachedAndEveryLinkIsStored) {
  std::set<std::string> reached;
  std::vector<std::string> pending = {file_->DefaultTopic()};
  while (!pending.empty()) {
    const std::string path = pending.back();
    pending.pop_back();
    if (!reached.insert(path).second) {
      continue;
    }
    const std::string page = Page(path);
    for (const char* attribute : {"href", "src"}) {
      for (const std::string& target : Attributes(page, attribute)) {
        const std::optional<ChmLink> link = ResolveLink(path, target);
        ASSERT_TRUE(link) << target << " in " << path;
        ASSERT_TRUE(file_->Read(link->path)) << target << " in " << path;
        if (link->path.ends_with(".html")) {
          pending.push_back(link->path);
        }
      }
    }
  }
  const std::vector<std::string> contents = Attributes(Page("/Sonaru.hhc"), "value");
  std::size_t pages = 0;
  for (const std::string& value : contents) {
    if (value.ends_with(".html")) {
      ++pages;
      EXPECT_TRUE(reached.contains("/" + value)) << value;
    }
  }
  EXPECT_GE(pages, 8u);
}

TEST_F(BuiltHelpFile, PictureIsReadByteForByte) {
  const std::optional<std::string> picture = file_->Read("/images/haut-parleur.png");
  ASSERT_TRUE(picture);
  EXPECT_TRUE(picture->starts_with("\x89PNG\r\n\x1a\n"));
  EXPECT_TRUE(*picture == FileBytes(SONARU_HELP_SOURCE_DIR "/images/haut-parleur.png"));
}

TEST_F(BuiltHelpFile, ObjectsAreReadWholeWhateverTheLetterCase) {
  const std::optional<std::string> style = file_->Read("/aide.css");
  ASSERT_TRUE(style);
  EXPECT_TRUE(style->starts_with("body {"));
  EXPECT_TRUE(style->ends_with("}\n"));
  EXPECT_EQ(file_->Read("/AIDE.CSS"), style);
  EXPECT_FALSE(file_->Read("/absente.html"));
  EXPECT_FALSE(file_->Read(""));
}

TEST(DefaultTopic, FallsBackWhenTheFileNamesNoneOrOneItDoesNotHold) {
  if (!SONARU_HELP_BUILT) {
    GTEST_SKIP() << "built without chmcmd: there are no help files";
  }
  // The usual names come before the first page, and index before default.
  const std::optional<ChmFile> unnamed = ChmFile::Open(SONARU_TOPIC_FILES_DIR "/sans-sujet.chm");
  ASSERT_TRUE(unnamed);
  EXPECT_EQ(unnamed->DefaultTopic(), "/index.htm");

  // Named but not stored, and no usual name: the first page in path order.
  const std::optional<ChmFile> missing = ChmFile::Open(SONARU_TOPIC_FILES_DIR "/nommee-absente.chm");
  ASSERT_TRUE(missing);
  EXPECT_EQ(missing->DefaultTopic(), "/a.html");
  EXPECT_EQ(missing->Title(), "Sujets");
}

class NotAHelpFile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::path(::testing::TempDir()) /
              ("sonaru-chm-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string Write(const std::string& name, const std::string& bytes) {
    const fs::path path = folder_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }

  fs::path folder_;
};

TEST_F(NotAHelpFile, MissingFileOrFolderDoesNotOpen) {
  EXPECT_FALSE(ChmFile::Open((folder_ / "Sonaru.CHM").string()));
  EXPECT_FALSE(ChmFile::Open(folder_.string()));
  EXPECT_FALSE(ChmFile::Open(""));
}

TEST_F(NotAHelpFile, EmptyFileOrTextDoesNotOpen) {
  EXPECT_FALSE(ChmFile::Open(Write("vide.chm", "")));
  EXPECT_FALSE(ChmFile::Open(Write("texte.chm", std::string(5000, 'x'))));
  EXPECT_FALSE(ChmFile::Open(Write("entete.chm", "ITSF\x03\x00\x00\x00")));
}

// A damaged file may still open, but then shows no page: the viewer falls back to its own line.
TEST_F(NotAHelpFile, DamagedHelpFileGivesNoPage) {
  if (!SONARU_HELP_BUILT) {
    GTEST_SKIP() << "built without chmcmd: there is no help file to damage";
  }
  const std::string whole = FileBytes(SONARU_HELP_FILE);
  ASSERT_GT(whole.size(), 4096u);

  const std::optional<ChmFile> truncated = ChmFile::Open(Write("coupe.chm", whole.substr(0, 1024)));
  if (truncated) {
    EXPECT_EQ(truncated->DefaultTopic(), "");
    EXPECT_FALSE(truncated->Read("/index.html"));
  }

  std::string scrambled = whole;
  for (std::size_t i = 200; i < scrambled.size(); i += 7) {
    scrambled[i] = static_cast<char>(scrambled[i] ^ 0x5a);
  }
  const std::optional<ChmFile> damaged = ChmFile::Open(Write("abime.chm", scrambled));
  if (damaged) {
    EXPECT_FALSE(damaged->Read("/index.html"));
  }
}

}  // namespace
}  // namespace sonaru::platform::chm
