// Pieces of a result written on two threads and handed on in their order.
#include "core/ordered_pieces.h"

#include <sched.h>

#include <algorithm>
#include <array>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <utility>

#include "core/byte_scan.h"

namespace kovrel {
namespace {

// The pieces written ahead of the next one to hand on, at most.
constexpr std::size_t kSlots = 4;

struct Piece {
  std::string text;
  bool done = false;
  std::exception_ptr failure;
};

}  // namespace

unsigned UsableProcessors() {
  // The processors the process is bound to (a run under taskset has fewer
  // than the machine), else the machine's.
  cpu_set_t set;
  CPU_ZERO(&set);
  if (::sched_getaffinity(0, sizeof set, &set) == 0) return static_cast<unsigned>(std::max(1, CPU_COUNT(&set)));
  return std::max(1u, std::thread::hardware_concurrency());
}

void WritePiecesInOrder(std::size_t count, std::size_t room, const PieceWriter& write, TextOutput& output) {
  if (count < 2 || UsableProcessors() < 2) {
    for (std::size_t k = 0; k < count; ++k) {
      write(k, output.text);
      output.Pass();
    }
    return;
  }
  // Piece k is written in slot k % kSlots; a piece is claimed only once the
  // piece kSlots before it is handed on, so no slot holds two at once.
  std::array<Piece, kSlots> slots;
  std::mutex mutex;
  std::condition_variable changed;
  std::size_t next = 0;           // the next piece to claim
  std::size_t handed = 0;         // the next piece to hand on
  std::size_t failed_at = count;  // the first piece known to fail: none after it is claimed
  bool stopping = false;
  const auto claimable = [&] { return next < failed_at && next < handed + kSlots; };
  const auto nothing_left = [&] { return stopping || next >= failed_at; };
  // Writes the piece claimed with the lock held, the lock let go meanwhile.
  const auto run = [&](std::unique_lock<std::mutex>& lock) {
    const std::size_t k = next++;
    Piece& piece = slots[k % kSlots];
    lock.unlock();
    std::exception_ptr failure;
    try {
      piece.text.reserve(room);
      write(k, piece.text);
    } catch (...) {
      failure = std::current_exception();
    }
    lock.lock();
    piece.failure = failure;
    piece.done = true;
    if (failure && k < failed_at) failed_at = k;
    changed.notify_all();
  };
  std::thread worker([&] {
    std::unique_lock<std::mutex> lock(mutex);
    while (true) {
      changed.wait(lock, [&] { return nothing_left() || claimable(); });
      if (nothing_left()) return;
      run(lock);
    }
  });
  // The worker is stopped and joined however this ends.
  struct Joiner {
    std::thread& thread;
    std::mutex& mutex;
    std::condition_variable& changed;
    bool& stopping;
    ~Joiner() {
      {
        const std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
      }
      changed.notify_all();
      thread.join();
    }
  } joiner{worker, mutex, changed, stopping};

  std::unique_lock<std::mutex> lock(mutex);
  while (handed < count) {
    Piece& piece = slots[handed % kSlots];
    if (!piece.done) {
      if (claimable()) {
        run(lock);
      } else {
        changed.wait(lock);
      }
      continue;
    }
    if (piece.failure) std::rethrow_exception(piece.failure);
    lock.unlock();
    // Handed on whole where the output passed on what it had (a piece is
    // a chunk or more), else joined to it.
    if (output.text.empty()) {
      output.text.swap(piece.text);
    } else {
      output.text.append(piece.text);
    }
    piece.text.clear();
    output.Pass();
    lock.lock();
    piece.done = false;
    ++handed;
    changed.notify_all();
  }
}

std::vector<std::size_t> LinePieceStarts(std::string_view text, std::size_t size) {
  std::vector<std::size_t> starts;
  std::size_t pos = size;
  while (pos < text.size()) {
    const std::size_t cr = FindAnyOf<'\r'>(text, pos);
    if (cr == std::string_view::npos) break;
    std::size_t start = cr + 1;
    if (start < text.size() && text[start] == '\n') ++start;
    if (start >= text.size()) break;
    starts.push_back(start);
    pos = start + size;
  }
  return starts;
}

}  // namespace kovrel
