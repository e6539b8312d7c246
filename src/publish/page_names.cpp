// Page names from context strings.
#include "publish/page_names.h"

#include <array>
#include <cstdint>

#include "base/cat.h"
#include "base/sjis.h"

namespace zek {

namespace {

// The byte of a single-byte character as its lookup key has it.
char key_byte(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// FNV-1a over the bytes of a context string's lookup key, without making
// the key.
uint64_t key_hash(std::string_view context) {
  uint64_t hash = 14695981039346656037ULL;
  for (size_t i = 0; i < context.size();) {
    const size_t length = char_length(context, i);
    for (size_t k = 0; k < length; ++k) {
      const char c = length == 1 ? key_byte(context[i]) : context[i + k];
      hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    }
    i += length;
  }
  return hash;
}

bool is_kept(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

constexpr std::array<std::string_view, 22> kReserved = {
    "con",  "prn",  "aux",  "nul",  "com1", "com2", "com3", "com4", "com5", "com6", "com7",
    "com8", "com9", "lpt1", "lpt2", "lpt3", "lpt4", "lpt5", "lpt6", "lpt7", "lpt8", "lpt9",
};

// Longer names would not fit a file name of the usual file systems.
constexpr size_t kMaxName = 200;

void append_escape(std::string& name, unsigned char byte) {
  static constexpr char kHex[] = "0123456789abcdef";
  name.push_back('~');
  name.push_back(kHex[byte >> 4]);
  name.push_back(kHex[byte & 0x0F]);
}

}  // namespace

std::string page_name(std::string_view context) {
  std::string name;
  name.reserve(context.size());
  for (size_t i = 0; i < context.size();) {
    const size_t length = char_length(context, i);
    if (length == 2) {  // both bytes escaped: a trail byte may look like a letter
      append_escape(name, static_cast<unsigned char>(context[i]));
      append_escape(name, static_cast<unsigned char>(context[i + 1]));
    } else {
      unsigned char c = static_cast<unsigned char>(context[i]);
      if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
      if (is_kept(c)) {
        name.push_back(static_cast<char>(c));
      } else {
        append_escape(name, c);
      }
    }
    i += length;
  }
  for (std::string_view reserved : kReserved) {
    if (name == reserved) return cat('~', name);
  }
  if (name.size() > kMaxName) {  // a long name is cut, and a hash keeps it apart
    const uint64_t hash = key_hash(context);
    name.resize(kMaxName - 18);
    append(name, "~~", hex_padded(static_cast<uint32_t>(hash >> 32), 8),
           hex_padded(static_cast<uint32_t>(hash), 8));
  }
  return name;
}

std::string css_anchor_name(std::string_view kind, std::string_view page) {
  std::string name = cat("--", kind);
  for (const char c : page) {
    if (c == '~') name += '\\';
    name += c;
  }
  return name;
}

std::string anonymous_page_name(size_t index) {
  return cat("~~", index);
}

std::string sibling_name(std::string_view file) {
  size_t start = 0;
  for (size_t i = 0; i < file.size(); i += char_length(file, i)) {
    if (file[i] == '\\' || file[i] == '/' || file[i] == ':') start = i + 1;
  }
  std::string_view base = file.substr(start);
  size_t dot = std::string_view::npos;
  for (size_t i = 0; i < base.size(); i += char_length(base, i)) {
    if (base[i] == '.') dot = i;
  }
  if (dot != std::string_view::npos) base = base.substr(0, dot);
  return page_name(base);
}

std::string lookup_key(std::string_view context) {
  std::string key(context);
  for (size_t i = 0; i < key.size(); i += char_length(key, i)) key[i] = key_byte(key[i]);
  return key;
}

size_t ContextKeyHash::operator()(std::string_view context) const {
  return static_cast<size_t>(key_hash(context));
}

bool ContextKeyEqual::operator()(std::string_view a, std::string_view b) const {
  if (a.size() != b.size()) return false;
  if (a == b) return true;  // mostly spelt as at first
  for (size_t i = 0; i < a.size();) {
    const size_t length = char_length(a, i);
    if (length == 1) {
      if (key_byte(a[i]) != key_byte(b[i])) return false;
    } else if (a[i] != b[i] || a[i + 1] != b[i + 1]) {
      return false;
    }
    i += length;
  }
  return true;
}

namespace {

size_t first_slot(uint64_t hash, size_t mask) {
  return static_cast<size_t>(hash ^ (hash >> 29)) & mask;
}

uint64_t slot_entry(uint64_t hash, uint32_t number) {
  return (hash & 0xFFFFFFFF00000000ULL) | (uint64_t{number} + 1);
}

}  // namespace

uint32_t ContextNumbers::number(std::string_view context, std::vector<std::string>& names) {
  if ((names.size() + 1) * 2 > slots_.size()) grow(names);
  const uint64_t hash = key_hash(context);
  const size_t mask = slots_.size() - 1;
  for (size_t slot = first_slot(hash, mask);; slot = (slot + 1) & mask) {
    const uint64_t entry = slots_[slot];
    if (entry == 0) {
      const auto number = static_cast<uint32_t>(names.size());
      names.emplace_back(context);
      slots_[slot] = slot_entry(hash, number);
      return number;
    }
    if ((entry >> 32) == (hash >> 32)) {
      const auto number = static_cast<uint32_t>(entry - 1);
      if (ContextKeyEqual{}(names[number], context)) return number;
    }
  }
}

// Twice the slots, at least twice as many as names, every name placed again.
void ContextNumbers::grow(const std::vector<std::string>& names) {
  size_t size = slots_.empty() ? 64 : slots_.size() * 2;
  while (size < (names.size() + 1) * 2) size *= 2;
  slots_.assign(size, 0);
  for (size_t number = 0; number < names.size(); ++number) {
    place(key_hash(names[number]), static_cast<uint32_t>(number));
  }
}

void ContextNumbers::place(uint64_t hash, uint32_t number) {
  const size_t mask = slots_.size() - 1;
  size_t slot = first_slot(hash, mask);
  while (slots_[slot] != 0) slot = (slot + 1) & mask;
  slots_[slot] = slot_entry(hash, number);
}

}  // namespace zek
