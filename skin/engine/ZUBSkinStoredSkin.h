// A skin stored in a form description reaches a reader through a temporary file.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TStream;

namespace zubskin {

// The system's temporary folder with a trailing backslash.
std::string GetTempFolder();

// The rest of the stream's bytes.
std::vector<uint8_t> ReadStreamBytes(TStream* Stream);
// Writes the bytes to a new "ZUBSKNT*.zub" in the temporary folder (ZUBSKNT.zub, else the first
// of ZUBSKNT1.zub, ZUBSKNT2.zub... that no file or folder takes), hands its name to Load and
// deletes it again. False when the file could not be written or Load raised: a skin that cannot
// be loaded is ignored.
bool LoadThroughTempFile(const std::vector<uint8_t>& Bytes, const std::function<void(const std::string&)>& Load);
// The whole content of a file into the stream; nothing when it cannot be read.
void CopyFileToStream(const std::string& FileName, TStream* Stream);

}  // namespace zubskin
