// skinbuild: writes a skin file from a manifest, lists a skin file's entries, or takes one apart
// into BMP files and a manifest that builds it again.
#include <cstdio>
#include <exception>
#include <string>

#include "SkinManifest.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: skinbuild build MANIFEST OUT.zub\n"
               "       skinbuild dump SKIN.zub\n"
               "       skinbuild extract SKIN.zub FOLDER   (FOLDER must exist; writes manifest.txt and BMPs)\n");
  return 2;
}

int Extract(const std::string& skinPath, std::string folder) {
  const std::vector<uint8_t> bytes = skinbuild::ReadBinaryFile(skinPath);
  const zubskin::SkinParseResult parsed = zubskin::ParseSkinFile(bytes);
  if (!parsed.ok) {
    std::fprintf(stderr, "skinbuild: %s: %s\n", skinPath.c_str(), parsed.error.c_str());
    return 1;
  }
  if (!folder.empty() && folder.back() != '/') folder += '/';
  // The chain gives the order across the three kinds; the tables give the data in that order.
  std::vector<skinbuild::ManifestEntry> entries;
  size_t image = 0, integer = 0, boolean = 0;
  for (const zubskin::SkinChainEntry& c : parsed.chain) {
    if (c.use != zubskin::SkinChainEntry::Use::Kept) continue;
    skinbuild::ManifestEntry e;
    e.name = c.name;
    if (c.kind == zubskin::ekData) {
      e.kind = skinbuild::ManifestEntry::Kind::Image;
      char file[32];
      std::snprintf(file, sizeof file, "%02zu.bmp", image + 1);
      e.file = file;
      skinbuild::WriteBinaryFile(folder + e.file, parsed.skin.Images()[image++].bmp);
    } else if (c.kind == zubskin::ekInteger) {
      e.kind = skinbuild::IsColourName(c.name) ? skinbuild::ManifestEntry::Kind::Colour
                                               : skinbuild::ManifestEntry::Kind::Integer;
      e.value = parsed.skin.Integers()[integer++].value;
    } else {
      e.kind = skinbuild::ManifestEntry::Kind::Boolean;
      e.value = parsed.skin.Booleans()[boolean++].value;
    }
    entries.push_back(e);
  }
  const std::string manifest = skinbuild::FormatManifest(entries);
  skinbuild::WriteBinaryFile(folder + "manifest.txt", std::vector<uint8_t>(manifest.begin(), manifest.end()));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "build" && argc == 4) {
      skinbuild::WriteBinaryFile(argv[3], skinbuild::BuildSkinFromManifestFile(argv[2]));
      return 0;
    }
    if (command == "dump" && argc == 3) {
      const std::vector<uint8_t> bytes = skinbuild::ReadBinaryFile(argv[2]);
      const std::string listing = skinbuild::DumpSkin(bytes);
      std::fputs(listing.c_str(), stdout);
      return zubskin::ParseSkinFile(bytes).ok ? 0 : 1;
    }
    if (command == "extract" && argc == 4) return Extract(argv[2], argv[3]);
    return Usage();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skinbuild: %s\n", e.what());
    return 1;
  }
}
