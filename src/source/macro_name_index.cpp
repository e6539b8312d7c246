// Building and stepping the Aho-Corasick automaton of the macro names.
#include "source/macro_name_index.h"

#include <algorithm>

namespace zek {

int32_t MacroNameIndex::child(int32_t node, unsigned char byte) const {
  if (node == 0) return root_next_[byte];
  const auto& next = nodes_[node].next;
  auto it = std::lower_bound(next.begin(), next.end(), byte,
                             [](const auto& edge, unsigned char b) { return edge.first < b; });
  return (it != next.end() && it->first == byte) ? it->second : -1;
}

// The state after reading `byte` in state `node`; the root (0) takes every
// byte that no name continues with.
int32_t MacroNameIndex::step(int32_t node, unsigned char byte) const {
  while (true) {
    const int32_t next = child(node, byte);
    if (next >= 0) return next;
    if (node == 0) return 0;
    node = nodes_[node].fail;
  }
}

void MacroNameIndex::insert(std::string_view name, int32_t row) {
  int32_t node = 0;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    int32_t next = child(node, byte);
    if (next < 0) {
      next = static_cast<int32_t>(nodes_.size());
      nodes_.emplace_back();
      if (node == 0) {
        root_next_[byte] = next;
      } else {
        auto& edges = nodes_[node].next;
        auto it =
            std::lower_bound(edges.begin(), edges.end(), byte,
                             [](const auto& edge, unsigned char b) { return edge.first < b; });
        edges.insert(it, {byte, next});
      }
    }
    node = next;
  }
  if (nodes_[node].row < 0) nodes_[node].row = row;  // the earlier row is searched first
}

// Failure and output links, breadth first so that shallower nodes are done first.
void MacroNameIndex::link() {
  std::vector<int32_t> queue;
  for (int32_t next : root_next_) {
    if (next > 0) queue.push_back(next);
  }
  for (size_t head = 0; head < queue.size(); ++head) {
    const int32_t node = queue[head];
    const Node& parent = nodes_[node];
    for (const auto& [byte, next] : parent.next) {
      const int32_t fail = step(parent.fail, byte);
      nodes_[next].fail = fail;
      nodes_[next].output_link = nodes_[fail].row >= 0 ? fail : nodes_[fail].output_link;
      queue.push_back(next);
    }
  }
}

void MacroNameIndex::build(const std::vector<std::string_view>& names) {
  nodes_.assign(1, Node{});
  root_next_.fill(-1);
  for (size_t row = 0; row < names.size(); ++row) {
    if (!names[row].empty()) insert(names[row], static_cast<int32_t>(row));
  }
  for (int32_t& next : root_next_) {
    if (next < 0) next = 0;
  }
  link();
}

}  // namespace zek
