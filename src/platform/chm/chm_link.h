// Where a link written in a help page leads inside the same compiled help file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sonaru::platform::chm {

/// A place inside the help file.
struct ChmLink {
  /// The object's path inside the file, "/" first, without "." or ".." segments: "/curseurs.html".
  std::string path;
  /// The anchor named after "#", without the "#"; empty when the link names none.
  std::string fragment;
};

/// Where `href`, as written in the page stored at `pagePath` ("/" first), leads: a relative link starts
/// from the page's folder, a link starting with "/" from the file's root, a link of only "#anchor" stays
/// on the page; "%XX" escapes are decoded, a "?query" is dropped and ".." never climbs above the root.
/// Nothing when the link leaves the file: it starts with a scheme such as "http:", "mailto:" or "ms-its:".
std::optional<ChmLink> ResolveLink(std::string_view pagePath, std::string_view href);

}  // namespace sonaru::platform::chm
