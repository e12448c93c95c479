// Links of help pages resolved to paths inside the help file.
#include "platform/chm/chm_link.h"

#include <gtest/gtest.h>

namespace sonaru::platform::chm {
namespace {

std::string PathOf(std::string_view page, std::string_view href) {
  const std::optional<ChmLink> link = ResolveLink(page, href);
  return link ? link->path : "<leaves the file>";
}

TEST(ResolveLink, RelativeLinksStartFromThePagesFolder) {
  EXPECT_EQ(PathOf("/index.html", "fenetre.html"), "/fenetre.html");
  EXPECT_EQ(PathOf("/guide/page.html", "autre.html"), "/guide/autre.html");
  EXPECT_EQ(PathOf("/guide/page.html", "images/logo.png"), "/guide/images/logo.png");
  EXPECT_EQ(PathOf("/guide/page.html", "./voisin.html"), "/guide/voisin.html");
  EXPECT_EQ(PathOf("/guide/page.html", "../index.html"), "/index.html");
  EXPECT_EQ(PathOf("/a/b/page.html", "../c/./d/../e.html"), "/a/c/e.html");
}

TEST(ResolveLink, RootedLinksStartFromTheFilesRoot) {
  EXPECT_EQ(PathOf("/guide/page.html", "/index.html"), "/index.html");
  EXPECT_EQ(PathOf("/guide/page.html", "//images//logo.png"), "/images/logo.png");
}

TEST(ResolveLink, DotDotNeverClimbsAboveTheRoot) {
  EXPECT_EQ(PathOf("/guide/page.html", "../../../index.html"), "/index.html");
  EXPECT_EQ(PathOf("/index.html", "/../index.html"), "/index.html");
}

TEST(ResolveLink, AnchorIsSplitOffAndAnAnchorAloneStaysOnThePage) {
  const std::optional<ChmLink> other = ResolveLink("/index.html", "curseurs.html#glisser");
  ASSERT_TRUE(other);
  EXPECT_EQ(other->path, "/curseurs.html");
  EXPECT_EQ(other->fragment, "glisser");

  const std::optional<ChmLink> same = ResolveLink("/guide/page.html", "#haut");
  ASSERT_TRUE(same);
  EXPECT_EQ(same->path, "/guide/page.html");
  EXPECT_EQ(same->fragment, "haut");

  const std::optional<ChmLink> plain = ResolveLink("/index.html", "fenetre.html");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->fragment, "");
}

TEST(ResolveLink, EmptyLinkIsThePageItself) { EXPECT_EQ(PathOf("/guide/page.html", ""), "/guide/page.html"); }

TEST(ResolveLink, QueryIsDroppedBeforeTheAnchor) {
  const std::optional<ChmLink> link = ResolveLink("/index.html", "page.html?mode=1#suite");
  ASSERT_TRUE(link);
  EXPECT_EQ(link->path, "/page.html");
  EXPECT_EQ(link->fragment, "suite");
}

TEST(ResolveLink, PercentEscapesAreDecodedAndBrokenOnesKept) {
  EXPECT_EQ(PathOf("/index.html", "mon%20fichier.html"), "/mon fichier.html");
  EXPECT_EQ(PathOf("/index.html", "r%C3%A9glages.html"), "/r\xC3\xA9glages.html");
  EXPECT_EQ(PathOf("/index.html", "cent%zz.html"), "/cent%zz.html");
  EXPECT_EQ(PathOf("/index.html", "fin%4"), "/fin%4");
  const std::optional<ChmLink> link = ResolveLink("/index.html", "#deux%20mots");
  ASSERT_TRUE(link);
  EXPECT_EQ(link->fragment, "deux mots");
}

TEST(ResolveLink, LinksWithASchemeLeaveTheFile) {
  EXPECT_FALSE(ResolveLink("/index.html", "http://example.org/page.html"));
  EXPECT_FALSE(ResolveLink("/index.html", "HTTPS://example.org/"));
  EXPECT_FALSE(ResolveLink("/index.html", "mailto:aide@example.org"));
  EXPECT_FALSE(ResolveLink("/index.html", "ms-its:Autre.chm::/index.html"));
  EXPECT_FALSE(ResolveLink("/index.html", "mk:@MSITStore:Autre.chm::/index.html"));
}

TEST(ResolveLink, ColonAfterTheFirstSlashOrAnchorIsNoScheme) {
  EXPECT_EQ(PathOf("/index.html", "dossier/a:b.html"), "/dossier/a:b.html");
  EXPECT_EQ(PathOf("/index.html", "./a:b.html"), "/a:b.html");
  EXPECT_EQ(PathOf("/index.html", "#note:1"), "/index.html");
  EXPECT_EQ(PathOf("/index.html", "1a:b.html"), "/1a:b.html");
}

}  // namespace
}  // namespace sonaru::platform::chm
