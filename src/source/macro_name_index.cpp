// Building and stepping the Aho-Corasick automaton of the macro names.
#include "source/macro_name_index.h"

namespace zek {

int32_t MacroNameIndex::child(int32_t node, unsigned char byte) const {
  if (node == 0) return root_next_[byte];
  for (int32_t next = nodes_[node].first_child; next >= 0; next = nodes_[next].next_sibling) {
    if (nodes_[next].byte == byte) return next;
  }
  return -1;
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
      Node added;
      added.byte = byte;
      if (node == 0) {
        root_next_[byte] = next;
      } else {
        added.next_sibling = nodes_[node].first_child;
        nodes_[node].first_child = next;
      }
      nodes_.push_back(added);
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
    for (int32_t next = nodes_[node].first_child; next >= 0; next = nodes_[next].next_sibling) {
      const int32_t fail = step(nodes_[node].fail, nodes_[next].byte);
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
  for (size_t byte = 0; byte < root_next_.size(); ++byte) {
    if (root_next_[byte] < 0) root_next_[byte] = 0;
    begins_name_[byte] = root_next_[byte] != 0;
  }
  link();
}

}  // namespace zek
