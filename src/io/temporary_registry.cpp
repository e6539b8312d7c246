// The list of temporaries and its lock; the platform's part (holding off
// interruptions, deleting a file or a folder, the handlers) is in
// interrupt_cleanup_*.cpp.
#include "io/temporary_registry.h"

#include <cstring>

namespace zek {

TemporaryRegistry::~TemporaryRegistry() {
  for (size_t i = 0; i < count_; ++i) delete[] entries_[i].name;
  delete[] entries_;
}

TemporaryRegistry::Change::Change(TemporaryRegistry* registry) : registry_(registry) {
  if (registry_ == nullptr) return;
  hold_off_interruptions();
  registry_->lock();
}

TemporaryRegistry::Change::~Change() {
  if (registry_ == nullptr) return;
  registry_->unlock();
  let_in_interruptions();
}

void TemporaryRegistry::Change::add(std::string_view name, Kind kind) {
  if (registry_ != nullptr) registry_->append(name, kind);
}

void TemporaryRegistry::Change::remove(std::string_view name) {
  if (registry_ != nullptr) registry_->erase(name);
}

// A spin lock: the holder is another thread inside a short Change, never the
// thread a signal handler interrupted, so the wait ends.
void TemporaryRegistry::lock() noexcept {
  while (busy_.test_and_set(std::memory_order_acquire)) {
  }
}

void TemporaryRegistry::unlock() noexcept {
  busy_.clear(std::memory_order_release);
}

void TemporaryRegistry::remove_all() noexcept {
  lock();
  delete_entries();
  unlock();
}

void TemporaryRegistry::remove_all_and_freeze() noexcept {
  lock();
  delete_entries();
}

// The files before the folders they may stand in, newest first.
void TemporaryRegistry::delete_entries() noexcept {
  for (size_t i = count_; i-- > 0;) {
    if (entries_[i].kind == Kind::file) delete_now(entries_[i]);
  }
  for (size_t i = count_; i-- > 0;) {
    if (entries_[i].kind == Kind::folder) delete_now(entries_[i]);
  }
}

void TemporaryRegistry::append(std::string_view name, Kind kind) {
  if (count_ == capacity_) {
    const size_t capacity = capacity_ == 0 ? 4 : capacity_ * 2;
    Entry* entries = new Entry[capacity];
    for (size_t i = 0; i < count_; ++i) entries[i] = entries_[i];
    delete[] entries_;
    entries_ = entries;
    capacity_ = capacity;
  }
  char* copy = new char[name.size() + 1];
  if (!name.empty()) std::memcpy(copy, name.data(), name.size());
  copy[name.size()] = '\0';
  entries_[count_++] = Entry{copy, kind};
}

void TemporaryRegistry::erase(std::string_view name) {
  for (size_t i = count_; i-- > 0;) {
    if (name != entries_[i].name) continue;
    delete[] entries_[i].name;
    for (size_t j = i + 1; j < count_; ++j) entries_[j - 1] = entries_[j];
    --count_;
    return;
  }
}

}  // namespace zek
