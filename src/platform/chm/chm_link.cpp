// Link resolution as a browser does it for relative URLs, within the one folder tree of a CHM file.
#include "platform/chm/chm_link.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace sonaru::platform::chm {

namespace {

bool StartsWithScheme(std::string_view href) {
  if (href.empty() || !std::isalpha(static_cast<unsigned char>(href.front()))) {
    return false;
  }
  for (char c : href.substr(1)) {
    if (c == ':') {
      return true;
    }
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.') {
      return false;
    }
  }
  return false;
}

int HexValue(char c) {
  if (!std::isxdigit(static_cast<unsigned char>(c))) {
    return -1;
  }
  return std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                                                     : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
}

std::string Decoded(std::string_view text) {
  std::string decoded;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
      decoded += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      decoded += text[i];
    }
  }
  return decoded;
}

std::string WithoutDotSegments(std::string_view path) {
  std::vector<std::string_view> segments;
  for (std::size_t start = 0; start <= path.size();) {
    const std::size_t end = std::min(path.find('/', start), path.size());
    const std::string_view segment = path.substr(start, end - start);
    if (segment == "..") {
      if (!segments.empty()) {
        segments.pop_back();
      }
    } else if (!segment.empty() && segment != ".") {
      segments.push_back(segment);
    }
    start = end + 1;
  }
  std::string normal;
  for (std::string_view segment : segments) {
    normal += '/';
    normal += segment;
  }
  return normal.empty() ? "/" : normal;
}

}  // namespace

std::optional<ChmLink> ResolveLink(std::string_view pagePath, std::string_view href) {
  if (StartsWithScheme(href)) {
    return std::nullopt;
  }
  ChmLink link;
  const std::size_t hash = href.find('#');
  if (hash != std::string_view::npos) {
    link.fragment = Decoded(href.substr(hash + 1));
    href = href.substr(0, hash);
  }
  href = href.substr(0, href.find('?'));
  const std::string target = Decoded(href);
  if (target.empty()) {
    link.path = WithoutDotSegments(pagePath);
  } else if (target.starts_with('/')) {
    link.path = WithoutDotSegments(target);
  } else {
    const std::string_view folder = pagePath.substr(0, pagePath.rfind('/') + 1);
    link.path = WithoutDotSegments(std::string(folder) + target);
  }
  return link;
}

}  // namespace sonaru::platform::chm
