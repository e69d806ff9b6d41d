// Runs a fuzz target without a fuzzing engine: every seed file, then a
// bounded number of inputs mutated from them with a fixed random sequence.
// Usage: TARGET [--mutations N] SEED_FOLDER...
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void Run(const std::string& input) {
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

std::string Mutate(std::string input, std::mt19937& random) {
  static const char kBytes[] = "XYTDGMφ*,\r\n0123456789.-+&HOE \"\x81\x82\xff";
  const int changes = 1 + static_cast<int>(random() % 8);
  for (int i = 0; i < changes; ++i) {
    const std::size_t at = input.empty() ? 0 : random() % (input.size() + 1);
    switch (random() % 4) {
      case 0: input.insert(at, 1, kBytes[random() % (sizeof kBytes - 1)]); break;
      case 1: if (at < input.size()) input.erase(at, 1 + random() % 4); break;
      case 2: if (at < input.size()) input[at] = static_cast<char>(random()); break;
      default: input.insert(at, input.substr(at, random() % 16)); break;
    }
  }
  return input;
}

}  // namespace

int main(int argc, char** argv) {
  int mutations = 2000;
  std::vector<std::string> seeds;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--mutations" && i + 1 < argc) {
      mutations = std::atoi(argv[++i]);
      continue;
    }
    for (const auto& entry : std::filesystem::recursive_directory_iterator(arg)) {
      if (!entry.is_regular_file()) continue;
      std::ifstream file(entry.path(), std::ios::binary);
      seeds.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
  }
  seeds.emplace_back();
  for (const std::string& seed : seeds) Run(seed);
  std::mt19937 random(20261208);
  for (int i = 0; i < mutations; ++i) Run(Mutate(seeds[random() % seeds.size()], random));
  std::printf("%zu seeds and %d mutated inputs ran\n", seeds.size(), mutations);
  return 0;
}
