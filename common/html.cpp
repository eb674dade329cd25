// Text for the tutor's HTML pages.
#include "common/html.h"

namespace {

// The last byte position at or below `limit` that does not split a UTF-8 sequence.
size_t Utf8Boundary(const std::string& bytes, size_t limit) {
  if (bytes.size() <= limit) return bytes.size();
  size_t end = limit;
  while (end > 0 && (static_cast<unsigned char>(bytes[end]) & 0xC0) == 0x80) --end;
  return end;
}

}  // namespace

std::string Html_Escape(const std::string& bytes, bool attribute) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '\'': out += attribute ? "&#39;" : "'"; break;
      default: out += c; break;
    }
  }
  return out;
}

std::string Html_Text(const Text16& text, size_t capacity) {
  const size_t nul = text.find(u'\0');
  std::string bytes = Text_ToUtf8(nul == Text16::npos ? text : text.substr(0, nul));
  bytes.resize(Utf8Boundary(bytes, capacity));
  return Html_Escape(bytes, false);
}
