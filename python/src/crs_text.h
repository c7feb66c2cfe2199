// Texts from the projection library's flat interface, which hands them out
// through caller buffers: (buffer, size, needed), with the length returned
// when the buffer is too small and nothing written.
#ifndef KORACORE_PYTHON_CRS_TEXT_H
#define KORACORE_PYTHON_CRS_TEXT_H

#include <algorithm>
#include <string>
#include <vector>

namespace koracore_py {

// Fills a buffer of `size` characters plus the terminating zero through
// `call(buffer, size, &needed)`; returns what the library returns.
template <typename Call>
std::string BufferText(Call call) {
  std::vector<char> buffer(256 + 1, '\0');
  for (int attempt = 0; attempt < 3; ++attempt) {
    int needed = 0;
    const int size = static_cast<int>(buffer.size()) - 1;
    const int result = call(buffer.data(), size, &needed);
    if (result < 0) return {};
    if (result == 0) return std::string(buffer.data());
    // Too small: the text's length came back; retry with room for it.
    buffer.assign(static_cast<std::size_t>(std::max(result, needed)) + 1, '\0');
  }
  return {};
}

// A text of a handle, such as C_KVMP_GETNAME.
template <typename Function>
std::string FlatText(Function function, void* handle) {
  return BufferText(
      [&](char* buffer, int size, int* needed) { return function(handle, buffer, size, needed); });
}

// A projection text in a message: long well-known texts are cut.
inline std::string Quoted(const std::string& text) {
  constexpr std::size_t kShown = 60;
  if (text.size() <= kShown) return '"' + text + '"';
  return '"' + text.substr(0, kShown) + "...\"";
}

}  // namespace koracore_py

#endif
