// Names of pages and anchors, each a function of a context string alone, so
// that a sibling help can compute the name of any of this help's pages: ASCII
// letters folded to lower case (context strings ignore case), bytes other
// than letters, digits, "_" and "-" written as "~" and two hex digits, and a
// "~" before the names Windows reserves for devices (CON, NUL, COM1, ...).
// Two context strings that differ in more than letter case never share a name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zek {

// The page (and anchor) name of a context string.
std::string page_name(std::string_view context);

// A CSS anchor name (a dashed ident) for a page name: "--", `kind`, then the
// name with its "~" escaped. Page names hold no capital letter, so kinds
// spelt in capitals keep the names of different kinds apart.
std::string css_anchor_name(std::string_view kind, std::string_view page);

// The name of the n-th topic that has no context string; no context string
// gives it.
std::string anonymous_page_name(size_t index);

// The base name of the help a hot spot names ("Other.hlp" or "dir\other.hlp"
// gives the page name of "other"): folder and extension dropped.
std::string sibling_name(std::string_view file);

// A context string with its ASCII letters in upper case at character
// boundaries: the key under which context strings are compared.
std::string lookup_key(std::string_view context);

// Hashing and comparing context strings as their lookup keys, without making
// the keys: a table keyed by lookup_key() finds any spelling of a context
// string with them.
struct ContextKeyHash {
  using is_transparent = void;
  size_t operator()(std::string_view context) const;
};
struct ContextKeyEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const;
};

// Numbers for context strings in the order they are first met, any
// spelling of one finding its number. The names are kept by the caller, in
// number order, as first spelt. A flat table of the names' hashes: a page
// looks up a context string for each hot spot, and a table of linked nodes
// made each lookup wait on memory three times.
class ContextNumbers {
 public:
  // The number of `context`; one met for the first time gets the next
  // number and is appended to `names`, which holds the names numbered so far.
  uint32_t number(std::string_view context, std::vector<std::string>& names);

 private:
  void grow(const std::vector<std::string>& names);
  void place(uint64_t hash, uint32_t number);

  // Each slot: 0 when empty, else the hash's high half and the number + 1.
  std::vector<uint64_t> slots_;
};

}  // namespace zek
