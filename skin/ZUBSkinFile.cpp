#include "ZUBSkinFile.h"

#include <cstdio>
#include <cstring>
#include <cerrno>
#include <stdexcept>
#include <unordered_set>

#include "ZUBSkinGeometry.h"

namespace zubskin {

namespace {

uint32_t Get32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
void Put32(uint8_t* p, uint32_t v) {
  p[0] = v & 0xFF;
  p[1] = (v >> 8) & 0xFF;
  p[2] = (v >> 16) & 0xFF;
  p[3] = (v >> 24) & 0xFF;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

// The value-list rule: an item matches by its text up to the first "=", and its value is the
// text after that "=", which converts only when the name itself held no "=".
template <typename Entry>
const Entry* FindValue(const std::vector<Entry>& entries, std::string_view name, bool& converts) {
  for (const Entry& e : entries) {
    const size_t eq = e.name.find('=');
    if (SameSkinName(std::string_view(e.name).substr(0, eq), name)) {
      converts = eq == std::string::npos;
      return &e;
    }
  }
  return nullptr;
}

}  // namespace

bool SameSkinName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

const std::vector<uint8_t>* SkinFile::FindImage(std::string_view name) const {
  for (const Image& e : images_)
    if (SameSkinName(e.name, name)) return &e.bmp;
  return nullptr;
}

bool SkinFile::GetImage(std::string_view name, SkinImage& image) const {
  const std::vector<uint8_t>* bmp = FindImage(name);
  return bmp && DecodeBmp(*bmp, image);
}

bool SkinFile::GetImagePiece(std::string_view name, SkinImage& piece, int count, int index) const {
  SkinImage whole;
  const bool found = GetImage(name, whole);
  CutStripPiece(whole, piece, count, index);
  return found;
}

int32_t SkinFile::GetInt(std::string_view name) const {
  bool converts = false;
  const Integer* e = FindValue(integers_, name, converts);
  return e && converts ? e->value : -1;
}

bool SkinFile::GetBool(std::string_view name) const {
  bool converts = false;
  const Boolean* e = FindValue(booleans_, name, converts);
  return e && converts && e->value != 0;
}

SkinParseResult ParseSkinFile(const uint8_t* data, size_t size, const SkinParseOptions& options) {
  SkinParseResult r;
  auto fail = [&r](uint32_t offset, std::string why) {
    r.ok = false;
    r.error = std::move(why);
    r.errorOffset = offset;
    r.skin = SkinFile();
    return std::move(r);
  };
  if (!data || size < kSkinFileHeaderSize) return fail(0, "shorter than the file header");
  r.magicMatches = std::memcmp(data, kSkinMagic, sizeof kSkinMagic) == 0 && data[11] == 0;
  const uint32_t headerSize = Get32(data + 12);
  if (headerSize != kSkinFileHeaderSize) return fail(12, "header size is not 24");

  // Well-formed files hold their headers and data side by side, so neither can add up to more
  // than the file: that bounds both the chain's length and what the copies allocate.
  const uint64_t maxHeaders = (size - kSkinFileHeaderSize) / kSkinEntryHeaderSize;
  uint64_t dataLeft = size;
  std::unordered_set<uint32_t> visited;
  uint32_t offset = Get32(data + 20);
  for (;;) {
    if (offset < kSkinFileHeaderSize || uint64_t(offset) + kSkinEntryHeaderSize > size)
      return fail(offset, "entry header outside the file");
    if (!visited.insert(offset).second) return fail(offset, "the chain of entries loops");
    if (visited.size() > maxHeaders) return fail(offset, "more entry headers than the file can hold");
    const uint8_t* h = data + offset;
    const uint32_t next = Get32(h + 73);
    if (next == 0) break;  // the closing header: none of its other fields is read

    SkinChainEntry e;
    const void* nul = std::memchr(h, 0, kSkinNameSize);
    e.name.assign(reinterpret_cast<const char*>(h), nul ? static_cast<const uint8_t*>(nul) - h : kSkinNameSize);
    e.kind = h[64];
    e.headerOffset = offset;
    e.dataOffset = Get32(h + 65);
    e.dataSize = Get32(h + 69);
    if (uint64_t(e.dataOffset) + e.dataSize > size) return fail(offset, "data of \"" + e.name + "\" past the end");
    const uint8_t* d = data + e.dataOffset;
    switch (e.kind) {
      case ekData: {
        if (e.dataSize > dataLeft) return fail(offset, "image data add up to more than the file");
        dataLeft -= e.dataSize;
        std::string why;
        SkinImage probe;
        if (options.validateImages && !DecodeBmp(d, e.dataSize, probe, &why))
          return fail(offset, "image \"" + e.name + "\": " + why);
        r.skin.AddImage(e.name, std::vector<uint8_t>(d, d + e.dataSize));
        break;
      }
      case ekInteger:
        if (e.dataSize < 4)
          e.use = SkinChainEntry::Use::TooSmall;
        else
          r.skin.AddInteger(e.name, static_cast<int32_t>(Get32(d)));
        break;
      case ekBoolean:
        if (e.dataSize < 1)
          e.use = SkinChainEntry::Use::TooSmall;
        else
          r.skin.AddBoolean(e.name, d[0]);
        break;
      default:
        e.use = SkinChainEntry::Use::IgnoredKind;
    }
    r.chain.push_back(std::move(e));
    offset = next;
  }
  r.ok = true;
  return r;
}

SkinReadStatus ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return errno == ENOENT ? SkinReadStatus::NotFound : SkinReadStatus::CannotRead;
  std::vector<uint8_t> out;
  uint8_t buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.insert(out.end(), buf, buf + n);
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) return SkinReadStatus::CannotRead;
  bytes = std::move(out);
  return SkinReadStatus::Loaded;
}

SkinReadStatus ReadSkinFile(const std::string& path, SkinParseResult& result, const SkinParseOptions& options) {
  std::vector<uint8_t> bytes;
  const SkinReadStatus status = ReadFileBytes(path, bytes);
  if (status != SkinReadStatus::Loaded) {
    result = SkinParseResult();
    result.error = status == SkinReadStatus::NotFound ? "no such file" : "cannot read the file";
    return status;
  }
  result = ParseSkinFile(bytes, options);
  return result.ok ? SkinReadStatus::Loaded : SkinReadStatus::Malformed;
}

void SkinFileWriter::AddInteger(const std::string& name, int32_t value) {
  std::vector<uint8_t> data(4);
  Put32(data.data(), static_cast<uint32_t>(value));
  AddRaw(name, ekInteger, std::move(data));
}

void SkinFileWriter::AddRaw(const std::string& name, uint8_t kind, std::vector<uint8_t> data) {
  if (name.size() > kSkinNameSize) throw std::invalid_argument("skin entry name longer than 64 bytes: " + name);
  if (name.find('\0') != std::string::npos) throw std::invalid_argument("skin entry name holds a zero byte");
  entries_.push_back({name, kind, std::move(data)});
}

std::vector<uint8_t> SkinFileWriter::Build() const {
  uint64_t total = kSkinFileHeaderSize + kSkinEntryHeaderSize;
  for (const Entry& e : entries_) total += kSkinEntryHeaderSize + e.data.size();
  if (total > UINT32_MAX) throw std::length_error("skin file larger than 4 GiB");

  std::vector<uint8_t> out(kSkinFileHeaderSize, 0);
  std::memcpy(out.data(), kSkinMagic, sizeof kSkinMagic - 1);
  Put32(&out[12], kSkinFileHeaderSize);
  Put32(&out[16], 1);
  Put32(&out[20], kSkinFileHeaderSize);
  out.reserve(total);
  for (const Entry& e : entries_) {
    const size_t at = out.size();
    out.resize(at + kSkinEntryHeaderSize, 0);
    uint8_t* h = &out[at];
    std::memcpy(h, e.name.data(), e.name.size());
    h[64] = e.kind;
    const uint32_t dataOffset = static_cast<uint32_t>(at + kSkinEntryHeaderSize);
    Put32(h + 65, dataOffset);
    Put32(h + 69, static_cast<uint32_t>(e.data.size()));
    Put32(h + 73, static_cast<uint32_t>(dataOffset + e.data.size()));
    out.insert(out.end(), e.data.begin(), e.data.end());
  }
  const size_t closing = out.size();
  out.resize(closing + kSkinEntryHeaderSize, 0);
  out[closing + 64] = ekBoolean;
  return out;
}

}  // namespace zubskin
