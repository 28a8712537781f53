// The skin file: a chain of named entries (images, integers and colours, booleans) behind a
// 24-byte header that begins "Dravnel_TB". SkinFile holds what one file carries, in three
// name-keyed tables; ParseSkinFile reads a file into fresh tables and hands them out only when
// the whole file was sound, so a reader that swaps them in keeps its old skin on a failed load.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ZUBSkinImage.h"

namespace zubskin {

enum TzubSkinEntryKind : uint8_t { ekData = 0, ekInteger = 1, ekBoolean = 2 };

constexpr char kSkinMagic[] = "Dravnel_TB";        // 10 characters, then two zero bytes
constexpr uint32_t kSkinFileHeaderSize = 24;       // Magic[12], HeaderSize, Reserved, FirstEntryOffset
constexpr uint32_t kSkinEntryHeaderSize = 77;      // Name[64], Kind, DataOffset, DataSize, NextEntryOffset
constexpr size_t kSkinNameSize = 64;

// Names match without regard to ASCII case.
bool SameSkinName(std::string_view a, std::string_view b);

class SkinFile {
 public:
  struct Image {
    std::string name;
    std::vector<uint8_t> bmp;  // the entry's data: a complete BMP file
  };
  struct Integer {
    std::string name;
    int32_t value;
  };
  struct Boolean {
    std::string name;
    uint8_t value;
  };

  // Entries in file order, duplicates kept.
  const std::vector<Image>& Images() const { return images_; }
  const std::vector<Integer>& Integers() const { return integers_; }
  const std::vector<Boolean>& Booleans() const { return booleans_; }
  size_t EntryCount() const { return images_.size() + integers_.size() + booleans_.size(); }

  // The first image entry of that name, or null.
  const std::vector<uint8_t>* FindImage(std::string_view name) const;
  // Decodes the named image; false (image untouched) when it is missing or not a valid BMP.
  bool GetImage(std::string_view name, SkinImage& image) const;
  // Piece Index (from 1) of Count equal-width pieces of the named image. The piece is cut even
  // when the image is missing, and is then empty; the result tells whether it was found.
  bool GetImagePiece(std::string_view name, SkinImage& piece, int count, int index) const;
  // The first integer entry whose name up to its first "=" matches; -1 when there is none.
  // An entry whose name holds "=" is matched by its part before the "=" and reads as -1,
  // as a value text after the first "=" that is no number would.
  int32_t GetInt(std::string_view name) const;
  // The same rule for booleans: non-zero is true; false when missing.
  bool GetBool(std::string_view name) const;

  void AddImage(std::string name, std::vector<uint8_t> bmp) { images_.push_back({std::move(name), std::move(bmp)}); }
  void AddInteger(std::string name, int32_t value) { integers_.push_back({std::move(name), value}); }
  void AddBoolean(std::string name, uint8_t value) { booleans_.push_back({std::move(name), value}); }

 private:
  std::vector<Image> images_;
  std::vector<Integer> integers_;
  std::vector<Boolean> booleans_;
};

// One entry header of the chain as it was read (the closing header is not listed).
struct SkinChainEntry {
  enum class Use { Kept, IgnoredKind, TooSmall };
  std::string name;
  uint8_t kind = 0;
  uint32_t headerOffset = 0;
  uint32_t dataOffset = 0;
  uint32_t dataSize = 0;
  Use use = Use::Kept;
};

struct SkinParseOptions {
  // Check every image entry as a BMP file; a broken image then fails the parse.
  bool validateImages = true;
};

struct SkinParseResult {
  bool ok = false;
  std::string error;          // why the parse failed
  uint32_t errorOffset = 0;   // the header offset the failure concerns
  bool magicMatches = false;  // the magic is reported, not required
  SkinFile skin;              // the tables; empty unless ok
  std::vector<SkinChainEntry> chain;  // the headers read, up to a failure
};

// Every header, every data range and the chain itself are checked against the size before
// anything is read or allocated: a header outside the file, data past its end, a chain that
// comes back to a header already read, more headers or data than the file can hold, a header
// size other than 24 are failures; an integer entry shorter than 4 bytes or a boolean entry of
// no byte is skipped; entries of unknown kind are ignored.
SkinParseResult ParseSkinFile(const uint8_t* data, size_t size, const SkinParseOptions& options = {});
inline SkinParseResult ParseSkinFile(const std::vector<uint8_t>& data, const SkinParseOptions& options = {}) {
  return ParseSkinFile(data.data(), data.size(), options);
}

enum class SkinReadStatus { Loaded, NotFound, CannotRead, Malformed };

// Reads a whole file; NotFound when no file of that name exists.
SkinReadStatus ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes);
// Reads and parses a skin file; result.ok exactly when the status is Loaded.
SkinReadStatus ReadSkinFile(const std::string& path, SkinParseResult& result, const SkinParseOptions& options = {});

// Writes skin files in the layout of the delivered ones: the header, each entry header followed
// by its data, then a closing header with an empty name, kind 2 and every number 0.
class SkinFileWriter {
 public:
  // Names longer than 64 bytes or holding a zero byte throw std::invalid_argument.
  void AddImage(const std::string& name, std::vector<uint8_t> bmp) { AddRaw(name, ekData, std::move(bmp)); }
  void AddInteger(const std::string& name, int32_t value);
  void AddBoolean(const std::string& name, bool value) { AddRaw(name, ekBoolean, {uint8_t(value ? 1 : 0)}); }
  // Any kind with any data, for entries of other kinds and for broken files in tests.
  void AddRaw(const std::string& name, uint8_t kind, std::vector<uint8_t> data);

  size_t Count() const { return entries_.size(); }
  std::vector<uint8_t> Build() const;

 private:
  struct Entry {
    std::string name;
    uint8_t kind;
    std::vector<uint8_t> data;
  };
  std::vector<Entry> entries_;
};

}  // namespace zubskin
