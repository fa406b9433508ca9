// Feeds stored inputs to a fuzz target's entry point without libFuzzer, so
// that `make check` (and the sanitizer build) runs every input that once
// failed, and the seed corpus, through the same code.
//
//   <target>_replay FILE|FOLDER...
//
// A folder stands for every file in it.  A crash or a sanitizer report ends
// the run; otherwise it prints how many inputs ran and exits 0.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

bool Replay(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "cannot read %s\n", path.string().c_str());
    return false;
  }
  const std::string input((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    const fs::path path(argv[i]);
    if (fs::is_directory(path)) {
      for (const auto& entry : fs::directory_iterator(path)) {
        if (entry.is_regular_file()) inputs.push_back(entry.path());
      }
    } else {
      inputs.push_back(path);
    }
  }
  int ran = 0;
  for (const fs::path& input : inputs) {
    if (!Replay(input)) return 1;
    ++ran;
  }
  std::printf("%d inputs ran\n", ran);
  return 0;
}
