#include "SkinManifest.h"

#include <cstdio>
#include <sstream>
#include <stdexcept>

namespace skinbuild {

using zubskin::SkinChainEntry;

namespace {

std::runtime_error LineError(int line, const std::string& what) {
  return std::runtime_error("manifest line " + std::to_string(line) + ": " + what);
}

// Splits a line into blank-separated words; "..." keeps blanks inside a word.
std::vector<std::string> Words(const std::string& line, int lineNo) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    if (i >= line.size() || line[i] == '#') break;
    std::string w;
    if (line[i] == '"') {
      const size_t end = line.find('"', i + 1);
      if (end == std::string::npos) throw LineError(lineNo, "unterminated quoted name");
      w = line.substr(i + 1, end - i - 1);
      i = end + 1;
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') w += line[i++];
    }
    words.push_back(w);
  }
  return words;
}

bool ParseNumber(const std::string& text, int64_t& value) {
  if (text.empty()) return false;
  size_t i = 0;
  bool negative = false;
  if (text[0] == '-' || text[0] == '+') {
    negative = text[0] == '-';
    i = 1;
  }
  int base = 10;
  if (text.compare(i, 1, "$") == 0) {
    base = 16;
    i += 1;
  } else if (text.compare(i, 2, "0x") == 0 || text.compare(i, 2, "0X") == 0) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return false;
  int64_t v = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return false;
    v = v * base + d;
    if (v > 0xFFFFFFFFLL) return false;
  }
  value = negative ? -v : v;
  return true;
}

std::string Hex(uint32_t v, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%0*X", digits, v);
  return buf;
}

std::string Quoted(const std::string& name) {
  return name.find_first_of(" \t#") == std::string::npos && !name.empty() ? name : "\"" + name + "\"";
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

bool IsColourName(const std::string& name) {
  return name.size() >= 5 && name.compare(name.size() - 5, 5, "Color") == 0;
}

std::vector<ManifestEntry> ParseManifest(const std::string& text) {
  std::vector<ManifestEntry> entries;
  std::istringstream in(text);
  std::string line;
  for (int lineNo = 1; std::getline(in, line); ++lineNo) {
    const std::vector<std::string> w = Words(line, lineNo);
    if (w.empty()) continue;
    if (w.size() != 3) throw LineError(lineNo, "expected a kind, a name and a value");
    ManifestEntry e;
    e.name = w[1];
    e.line = lineNo;
    if (e.name.size() > zubskin::kSkinNameSize) throw LineError(lineNo, "name longer than 64 bytes");
    int64_t v = 0;
    if (w[0] == "image") {
      e.kind = ManifestEntry::Kind::Image;
      e.file = w[2];
    } else if (w[0] == "integer" || w[0] == "colour") {
      e.kind = w[0] == "integer" ? ManifestEntry::Kind::Integer : ManifestEntry::Kind::Colour;
      if (!ParseNumber(w[2], v) || v < INT32_MIN || v > int64_t(UINT32_MAX))
        throw LineError(lineNo, "not a 32-bit number: " + w[2]);
      e.value = static_cast<int32_t>(static_cast<uint32_t>(v));
    } else if (w[0] == "boolean") {
      e.kind = ManifestEntry::Kind::Boolean;
      if (w[2] == "true") v = 1;
      else if (w[2] == "false") v = 0;
      else if (!ParseNumber(w[2], v) || v < 0 || v > 255) throw LineError(lineNo, "not a boolean: " + w[2]);
      e.value = static_cast<int32_t>(v);
    } else {
      throw LineError(lineNo, "unknown kind " + w[0]);
    }
    entries.push_back(e);
  }
  return entries;
}

std::string FormatManifest(const std::vector<ManifestEntry>& entries) {
  std::string out;
  for (const ManifestEntry& e : entries) {
    switch (e.kind) {
      case ManifestEntry::Kind::Image: out += "image   " + Quoted(e.name) + " " + Quoted(e.file); break;
      case ManifestEntry::Kind::Integer: out += "integer " + Quoted(e.name) + " " + std::to_string(e.value); break;
      case ManifestEntry::Kind::Colour: out += "colour  " + Quoted(e.name) + " " + Hex(uint32_t(e.value), 6); break;
      case ManifestEntry::Kind::Boolean:
        out += "boolean " + Quoted(e.name) + " " +
               (e.value == 0 ? std::string("false") : e.value == 1 ? std::string("true") : std::to_string(e.value));
        break;
    }
    out += "\n";
  }
  return out;
}

std::vector<uint8_t> BuildSkin(const std::vector<ManifestEntry>& entries, const FileLoader& load) {
  zubskin::SkinFileWriter writer;
  for (const ManifestEntry& e : entries) {
    switch (e.kind) {
      case ManifestEntry::Kind::Image: {
        std::vector<uint8_t> bmp = load(e.file);
        zubskin::SkinImage probe;
        std::string why;
        if (!zubskin::DecodeBmp(bmp, probe, &why))
          throw LineError(e.line, e.file + " is not a valid BMP file: " + why);
        writer.AddImage(e.name, std::move(bmp));
        break;
      }
      case ManifestEntry::Kind::Integer:
      case ManifestEntry::Kind::Colour: writer.AddInteger(e.name, e.value); break;
      case ManifestEntry::Kind::Boolean: writer.AddRaw(e.name, zubskin::ekBoolean, {uint8_t(e.value)}); break;
    }
  }
  return writer.Build();
}

std::vector<uint8_t> BuildSkinFromManifestFile(const std::string& manifestPath) {
  const std::vector<uint8_t> text = ReadBinaryFile(manifestPath);
  const std::string folder = FolderOf(manifestPath);
  return BuildSkin(ParseManifest(std::string(text.begin(), text.end())),
                   [&folder](const std::string& file) { return ReadBinaryFile(folder + file); });
}

std::string DumpSkin(const std::vector<uint8_t>& file) {
  // The listing walks the chain without judging images, so that a broken one shows as such;
  // the verdict is that of a normal parse.
  zubskin::SkinParseOptions listing;
  listing.validateImages = false;
  const zubskin::SkinParseResult walked = zubskin::ParseSkinFile(file, listing);
  const zubskin::SkinParseResult parsed = zubskin::ParseSkinFile(file);
  std::string out;
  for (size_t i = 0; i < walked.chain.size(); ++i) {
    const SkinChainEntry& e = walked.chain[i];
    const uint8_t* data = file.data() + e.dataOffset;  // the parse checked the range
    std::string kind, value;
    if (e.use == SkinChainEntry::Use::IgnoredKind) {
      kind = "kind " + std::to_string(e.kind);
      value = "ignored";
    } else if (e.kind == zubskin::ekData) {
      kind = "image";
      zubskin::SkinImage image;
      zubskin::BmpInfo info;
      std::string why;
      value = zubskin::DecodeBmp(data, e.dataSize, image, &why) && zubskin::ReadBmpInfo(data, e.dataSize, info)
                  ? std::to_string(info.width) + " x " + std::to_string(info.height) + ", " +
                        std::to_string(info.bitsPerPixel)
                  : "not a valid BMP: " + why;
    } else {
      kind = e.kind == zubskin::ekInteger ? "integer" : "boolean";
      if (e.use == SkinChainEntry::Use::TooSmall) {
        value = "skipped: too small";
      } else if (e.kind == zubskin::ekInteger) {
        const uint32_t v = uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 | uint32_t(data[3]) << 24;
        value = IsColourName(e.name) ? Hex(v, 6) : std::to_string(int32_t(v));
      } else {
        value = data[0] == 0 ? "false (0)" : "true (" + std::to_string(data[0]) + ")";
      }
    }
    char head[160];
    std::snprintf(head, sizeof head, "%3zu  %-34s %-8s %7u  ", i + 1, ("\"" + e.name + "\"").c_str(), kind.c_str(),
                  e.dataSize);
    out += head + value + "\n";
  }
  size_t kept[3] = {0, 0, 0};
  for (const SkinChainEntry& e : walked.chain)
    if (e.use == SkinChainEntry::Use::Kept) ++kept[e.kind];
  out += std::to_string(file.size()) + " bytes, " + std::to_string(kept[0] + kept[1] + kept[2]) + " entries (" +
         std::to_string(kept[0]) + " images, " + std::to_string(kept[1]) + " integers, " + std::to_string(kept[2]) +
         " booleans)" + (walked.magicMatches ? "" : ", magic differs") + "\n";
  if (!parsed.ok) out += "malformed at offset " + std::to_string(parsed.errorOffset) + ": " + parsed.error + "\n";
  return out;
}

std::vector<uint8_t> ReadBinaryFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (zubskin::ReadFileBytes(path, bytes) != zubskin::SkinReadStatus::Loaded)
    throw std::runtime_error("cannot read " + path);
  return bytes;
}

void WriteBinaryFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) throw std::runtime_error("cannot write " + path);
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (std::fclose(f) != 0 || !ok) throw std::runtime_error("cannot write " + path);
}

}  // namespace skinbuild
