// The skin builder's manifest: a text file that lists a skin's entries in file order, one a line:
//   image   NAME  FILE.bmp      a BMP file, relative to the manifest's folder
//   integer NAME  -6            signed decimal, or $hex / 0xhex
//   colour  NAME  $E8E8E8       a Windows colour value written $BBGGRR (stored as an integer)
//   boolean NAME  true          true, false, or the byte 0..255
// "#" starts a comment; a NAME with blanks is written in double quotes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ZUBSkinFile.h"

namespace skinbuild {

struct ManifestEntry {
  enum class Kind { Image, Integer, Colour, Boolean };
  Kind kind = Kind::Integer;
  std::string name;
  std::string file;     // images
  int32_t value = 0;    // integers, colours, booleans (the byte)
  int line = 0;
};

// Throws std::runtime_error naming the line of the first fault.
std::vector<ManifestEntry> ParseManifest(const std::string& text);
std::string FormatManifest(const std::vector<ManifestEntry>& entries);

// Reads a file of the manifest as bytes; throws std::runtime_error when it cannot.
using FileLoader = std::function<std::vector<uint8_t>(const std::string& file)>;

// The skin file of a manifest. Every image must be a valid BMP (std::runtime_error otherwise).
std::vector<uint8_t> BuildSkin(const std::vector<ManifestEntry>& entries, const FileLoader& load);
// The same with files read from the manifest's folder.
std::vector<uint8_t> BuildSkinFromManifestFile(const std::string& manifestPath);

// One line per entry header of the chain: number, name, kind, data size and value, then a
// summary line; a malformed file ends with the reason.
std::string DumpSkin(const std::vector<uint8_t>& file);

// True for entry names that hold colours ("...Color"), which dumps and manifests show as $BBGGRR.
bool IsColourName(const std::string& name);

// Throws std::runtime_error when the file cannot be read or written.
std::vector<uint8_t> ReadBinaryFile(const std::string& path);
void WriteBinaryFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace skinbuild
