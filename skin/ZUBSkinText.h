// The text routines of the skin drawing utilities. Texts are byte strings in the system code
// page, one byte a character.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace zubskin {

// The width in pixels of a text, as the canvas's font at the time of the call measures it.
using TextWidthFunc = std::function<int(std::string_view)>;

// Text when it is at most maxWidth wide; otherwise the shortest "first i characters" + "..."
// (i from 1 up to the length less one) that is at least maxWidth wide, and Text itself when
// none is. So the result can be wider than maxWidth by less than its last character.
std::string EllipsizeText(const std::string& text, int maxWidth, const TextWidthFunc& textWidth);

// Every occurrence of oldText replaced by newText, searching again from the start of the
// result after each replacement. An empty oldText leaves the text as it is. A newText that is
// not shorter than oldText could make that search endless (it always is when newText holds
// oldText), so then the search goes on after each replacement instead.
std::string ReplaceAllText(const std::string& text, const std::string& oldText, const std::string& newText);

// Text with every "&" removed.
std::string StripAmpersand(const std::string& text);

}  // namespace zubskin
