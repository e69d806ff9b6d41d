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
unsigned UsableProcessors() {
  // The processors the process is bound to (a run under taskset has fewer
  // than the machine), else the machine's.
  cpu_set_t set;
  CPU_ZERO(&set);
  if (::sched_getaffinity(0, sizeof set, &set) == 0) return static_cast<unsigned>(std::max(1, CPU_COUNT(&set)));
  return std::max(1u, std::thread::hardware_concurrency());
}

void ForPiecesInOrder(std::size_t count, const std::function<void(std::size_t)>& make,
                      const std::function<void(std::size_t)>& take) {
  if (count < 2 || UsableProcessors() < 2) {
    for (std::size_t k = 0; k < count; ++k) {
      make(k);
      take(k);
    }
    return;
  }
  // What became of each slot's piece.
  struct Made {
    bool done = false;
    std::exception_ptr failure;
  };
  std::array<Made, kPieceSlots> made;
  std::mutex mutex;
  std::condition_variable changed;
  std::size_t next = 0;           // the next piece to claim
  std::size_t taken = 0;          // the next piece to take
  std::size_t failed_at = count;  // the first piece known to fail: none after it is claimed
  bool stopping = false;
  const auto claimable = [&] { return next < failed_at && next < taken + kPieceSlots; };
  const auto nothing_left = [&] { return stopping || next >= failed_at; };
  // Makes the piece claimed with the lock held, the lock let go meanwhile.
  const auto run = [&](std::unique_lock<std::mutex>& lock) {
    const std::size_t k = next++;
    lock.unlock();
    std::exception_ptr failure;
    try {
      make(k);
    } catch (...) {
      failure = std::current_exception();
    }
    lock.lock();
    Made& piece = made[k % kPieceSlots];
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
  while (taken < count) {
    Made& piece = made[taken % kPieceSlots];
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
    take(taken);
    lock.lock();
    piece.done = false;
    ++taken;
    changed.notify_all();
  }
}

void WritePiecesInOrder(std::size_t count, std::size_t room, const PieceWriter& write, TextOutput& output) {
  if (count < 2 || UsableProcessors() < 2) {
    for (std::size_t k = 0; k < count; ++k) write(k, output);
    return;
  }
  // Each slot's text, where its piece asked to pass, and its failure: the
  // text a failing piece wrote before it is handed on first.
  struct Written {
    std::vector<std::size_t> passes;
    TextOutput text{&passes};
    std::exception_ptr failure;
  };
  std::array<Written, kPieceSlots> slots;
  ForPiecesInOrder(
      count,
      [&](std::size_t k) {
        Written& piece = slots[k % kPieceSlots];
        piece.text.text.clear();
        piece.text.text.reserve(room);
        piece.passes.clear();
        piece.failure = nullptr;
        try {
          write(k, piece.text);
        } catch (...) {
          piece.failure = std::current_exception();
        }
      },
      [&](std::size_t k) {
        Written& piece = slots[k % kPieceSlots];
        if (output.Streams() && output.text.empty()) {
          // Handed on whole, without a copy, where the output passed on
          // what it had: a chunk may then hold more lines than one pass
          // would have put in it.
          output.text.swap(piece.text.text);
          output.Pass();
        } else {
          output.TakePiece(piece.text.text, piece.passes);
        }
        if (piece.failure) std::rethrow_exception(piece.failure);
      });
}

std::vector<std::size_t> LinePiecesToRun(std::string_view text, std::size_t size) {
  if (UsableProcessors() < 2) return {};
  return LinePieceStarts(text, size);
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
