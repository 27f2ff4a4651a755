#pragma once
// Standard Windows BMP files: reading into an image and writing an image back.

#include "print/bitmap/DibImage.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace veldran {

// Reads a BMP file. None when the file cannot be opened, does not start with "BM", holds an info
// block that describes no sound image, announces (file size − pixel offset) more or fewer pixel
// bytes than the image holds, or ends before the announced pixel bytes.
[[nodiscard]] DibImagePtr DibReadFile(const std::string& fileName);
// The same reader over bytes already in memory.
[[nodiscard]] DibImagePtr DibReadMemory(const uint8_t* data, size_t size);

// The whole file: the 14-byte file header followed by the packed block. Empty for an invalid image.
[[nodiscard]] std::vector<uint8_t> DibEncodeFile(const DibImage* image);
// Writes the image as a BMP file, replacing the file only once the new one is complete: on any
// failure the old file (if any) is left as it was and no partial file remains.
[[nodiscard]] bool DibWriteFile(const DibImage* image, const std::string& fileName);

// Writes the bytes to "<fileName>.part" and renames that over fileName only once it is complete,
// so a failed write keeps the previous file. False (and no side file left) on any failure.
[[nodiscard]] bool DibReplaceFile(const std::string& fileName, const std::vector<uint8_t>& bytes);

} // namespace veldran
