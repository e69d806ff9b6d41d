// The writer's thread: every chunk written once, in order; a failure of a
// write comes back to the conversion's thread and stops the writes.
#include "core/background_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "core/failure.h"
#include "core/text_output.h"

namespace kovrel {
namespace {

TEST(BackgroundWriter, ChunksArriveWholeAndInOrder) {
  std::string written;
  int writes = 0;
  std::string expected;
  {
    BackgroundWriter writer([&](std::string& chunk) {
      written += chunk;
      ++writes;
    });
    TextOutput out([&writer](std::string& chunk) { writer.Hand(chunk); });
    for (int k = 0; k < 300000; ++k) {
      const std::string line = "G01X" + std::to_string(k) + "Y" + std::to_string(k % 977) + "\r\n";
      out.text += line;
      expected += line;
      out.Pass();
    }
    out.Flush();
    writer.Finish();
    EXPECT_EQ(written.size(), expected.size());
  }
  EXPECT_TRUE(written == expected);
  EXPECT_GT(writes, 3);
}

TEST(BackgroundWriter, AFailedWriteComesBackAndStopsTheWrites) {
  int writes = 0;
  BackgroundWriter writer([&](std::string& chunk) {
    ++writes;
    if (chunk == "second") Fail(FailureKind::kDiskFull, "out.nc");
  });
  std::string chunk = "first";
  writer.Hand(chunk);
  EXPECT_TRUE(chunk.empty());
  chunk = "second";
  writer.Hand(chunk);
  chunk = "third";
  try {
    writer.Hand(chunk);  // waits for "second", whose failure it throws
    writer.Finish();
    FAIL() << "no failure came back";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 61);
  }
  EXPECT_THROW(writer.Finish(), Failure);
  std::string more = "fourth";
  EXPECT_THROW(writer.Hand(more), Failure);
  EXPECT_EQ(writes, 2);
}

TEST(BackgroundWriter, EndsWithAChunkStillInHand) {
  std::string written;
  {
    BackgroundWriter writer([&](std::string& chunk) { written += chunk; });
    std::string chunk = "last";
    writer.Hand(chunk);
  }
  EXPECT_EQ(written, "last");
}

}  // namespace
}  // namespace kovrel
