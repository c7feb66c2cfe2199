// Byte image of a catalogue file and the file names of a data set.
// Internal to libkfs. The word layout is documented in docs/older-formats.md;
// keep the two in step.
#ifndef KFS_LEGACY_CATALOGUE_LAYOUT_H
#define KFS_LEGACY_CATALOGUE_LAYOUT_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "kfs/legacy/catalogue.h"

namespace kfs::cat {

constexpr std::uint32_t kNumericBytes = 600;  // 150 words
constexpr std::uint32_t kTextBytes = 436;
constexpr int kNumericWords = 150;
// Both records with their leading and trailing length words.
constexpr std::size_t kFileBytes = 4 + kNumericBytes + 4 + 4 + kTextBytes + 4;
// Offsets of the four length words in the image.
constexpr std::size_t kNumericHead = 0;
constexpr std::size_t kNumericTail = 4 + kNumericBytes;
constexpr std::size_t kTextHead = kNumericTail + 4;
constexpr std::size_t kTextTail = kTextHead + 4 + kTextBytes;

enum class ImageStatus { ok, notCatalogue };

// The image of cat in native order, or reversed when cat.swapped is set.
void packImage(const catRecord& cat, unsigned char image[kFileBytes]);

// Reads an image of `size` bytes into out (numbers, texts and the swapped
// flag; nothing else of out is touched). notCatalogue when the image is
// short, in neither byte order, or its framing is broken; out is then
// unchanged.
ImageStatus unpackImage(const unsigned char* image, std::size_t size, catRecord& out);

// Reverses every word of an image that holds numbers: the 150 values and
// the four length words. The text bytes stay as they are.
void reverseImage(unsigned char image[kFileBytes]);

// prefix + name + "." + extension; no "." without an extension; null texts
// count as empty.
std::string joinFileName(const char* prefix, const char* name, const char* extension);

// "<prefix><name>.<letters><N>".
std::string dataSetFile(const char* prefix, const char* name, const char* letters, int nAxes);

// The whole number a count field holds (fields never set count as 0); false
// when it is not a whole number in [low, high].
bool countField(float value, long low, long high, long* out);

std::uint32_t byteSwapped(std::uint32_t v);

}  // namespace kfs::cat

#endif
