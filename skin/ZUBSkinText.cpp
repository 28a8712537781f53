#include "ZUBSkinText.h"

namespace zubskin {

std::string EllipsizeText(const std::string& text, int maxWidth, const TextWidthFunc& textWidth) {
  if (textWidth(text) <= maxWidth) return text;
  for (size_t i = 1; i < text.size(); ++i) {
    std::string shortened = text.substr(0, i) + "...";
    if (textWidth(shortened) >= maxWidth) return shortened;
  }
  return text;
}

std::string ReplaceAllText(const std::string& text, const std::string& oldText, const std::string& newText) {
  if (oldText.empty()) return text;
  std::string result = text;
  const bool shrinks = newText.size() < oldText.size();
  size_t from = 0;
  for (size_t at; (at = result.find(oldText, from)) != std::string::npos;) {
    result.replace(at, oldText.size(), newText);
    // Searching from the start again finds nothing before this point that was not there before,
    // and nothing was there, so the search may start where a new occurrence could begin.
    from = shrinks ? (at + 1 > oldText.size() ? at + 1 - oldText.size() : 0) : at + newText.size();
  }
  return result;
}

std::string StripAmpersand(const std::string& text) { return ReplaceAllText(text, "&", ""); }

}  // namespace zubskin
