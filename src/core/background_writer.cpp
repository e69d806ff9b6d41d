// The writer's thread and the hand-over of chunks.
#include "core/background_writer.h"

#include <utility>

namespace kovrel {

BackgroundWriter::BackgroundWriter(Write write) : write_(std::move(write)), thread_([this] { Run(); }) {}

BackgroundWriter::~BackgroundWriter() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void BackgroundWriter::Run() {
  std::unique_lock lock(mutex_);
  while (true) {
    changed_.wait(lock, [this] { return has_chunk_ || stopping_; });
    if (!has_chunk_) return;
    const bool failed = failure_ != nullptr;
    // The chunk in hand is this thread's alone until has_chunk_ is reset.
    lock.unlock();
    std::exception_ptr failure;
    if (!failed) {
      try {
        write_(in_hand_);
      } catch (...) {
        failure = std::current_exception();
      }
    }
    lock.lock();
    if (failure) failure_ = failure;
    has_chunk_ = false;
    changed_.notify_all();
  }
}

void BackgroundWriter::WaitForWrites(std::unique_lock<std::mutex>& lock) {
  changed_.wait(lock, [this] { return !has_chunk_; });
  if (failure_) std::rethrow_exception(failure_);
}

void BackgroundWriter::Hand(std::string& chunk) {
  {
    std::unique_lock lock(mutex_);
    WaitForWrites(lock);
    in_hand_.swap(chunk);
    has_chunk_ = true;
  }
  changed_.notify_all();
  chunk.clear();
}

void BackgroundWriter::Finish() {
  std::unique_lock lock(mutex_);
  WaitForWrites(lock);
}

}  // namespace kovrel
