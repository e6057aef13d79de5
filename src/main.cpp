// GlimmerHut's entry point.
#include <cstdio>

int main() {
  std::fprintf(stderr, "GlimmerHut: the games cannot be played yet; this build holds the core library only.\n");
  return 0;
}
