// lumokal-compile --acts DIR --out DIR: compiles a folder of acts into LumoKAL.dat and Index.idx.
#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
  std::string acts, out;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--acts")) acts = argv[i + 1];
    else if (!std::strcmp(argv[i], "--out")) out = argv[i + 1];
  }
  if (acts.empty() || out.empty()) {
    std::fprintf(stderr, "usage: lumokal-compile --acts DIR --out DIR\n");
    return 2;
  }
  return 0;
}
