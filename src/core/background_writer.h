// Writing an output on a thread of its own: the conversion hands each chunk
// of its result over and goes on making the next one while the chunk is
// encoded and copied into the file (on a machine with a second core, the
// time of the writes no longer adds to the conversion's). One chunk is in
// hand at a time, so the memory stays two chunks.
#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace kovrel {

class BackgroundWriter {
 public:
  /// Called on the writer's thread for every chunk, in the order handed.
  using Write = std::function<void(std::string& chunk)>;

  explicit BackgroundWriter(Write write);
  BackgroundWriter(const BackgroundWriter&) = delete;
  BackgroundWriter& operator=(const BackgroundWriter&) = delete;
  /// Writes the chunk still in hand and ends the thread (a failure of it is
  /// dropped: the run already ended with another outcome).
  ~BackgroundWriter();

  /// Takes the content of `chunk` (which is left empty, with the room of a
  /// chunk written before); waits while the chunk handed before is still
  /// being written. Throws what an earlier write threw; after a failure
  /// nothing more is written.
  void Hand(std::string& chunk);

  /// Waits until every chunk handed over is written. Throws what a write
  /// threw.
  void Finish();

 private:
  void Run();
  // With the lock held: waits until no chunk is in hand, then throws a
  // failure of the writes.
  void WaitForWrites(std::unique_lock<std::mutex>& lock);

  Write write_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::string in_hand_;  // the chunk being written, while `has_chunk_`
  bool has_chunk_ = false;
  bool stopping_ = false;
  std::exception_ptr failure_;
  std::thread thread_;  // last: starts once the rest is made
};

}  // namespace kovrel
