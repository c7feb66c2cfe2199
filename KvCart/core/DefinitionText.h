/* Texts of the definition files (names, codes, branches) in the form a
 * parameter file can hold.
 *
 * A parameter file is line-oriented: a text parameter may not hold a line
 * break or another control byte (a tab it keeps), and the library refuses
 * such a text outright. A name a user gave with a line break would then be
 * missing from the written file, and the entry would come back nameless, so
 * the writers of the custom files put a blank in place of each such byte. */
#ifndef KVCART_CORE_DEFINITIONTEXT_H
#define KVCART_CORE_DEFINITIONTEXT_H

#include <string>

namespace kvcart {

// The text with each control byte but the tab (0x00-0x1f, 0x7f) replaced
// by a blank.
inline std::string WritableText(std::string text) {
  for (char& c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && byte != '\t') || byte == 0x7f) c = ' ';
  }
  return text;
}

}  // namespace kvcart

#endif
