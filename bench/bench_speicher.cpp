// What the machine itself does as the data grows: reading every word of a
// block in turn, and as many words at random places in it, for blocks the
// size of one table at 300 colonies (3 MB: Stockkarte) up to the size of the
// texts of the largest list at 3,000 colonies (90 MB). A step that finds its
// rows through an index reads at random places; once its data no longer fits
// the processor's caches each read costs several times as much, so such a
// step grows faster than its rows even when its work grows with them.
//
//   bench_speicher

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

volatile std::uint64_t senke;   // keeps the sums from being optimised away

// The fastest of five rounds, in ns per word read.
template <class Lesen>
double bestezeit(std::size_t wörter, Lesen lesen) {
  double beste = 1e300;
  for (int runde = 0; runde < 5; ++runde) {
    const auto beginn = std::chrono::steady_clock::now();
    senke = senke + lesen();
    const std::chrono::duration<double, std::nano> dauer = std::chrono::steady_clock::now() - beginn;
    const double ns = dauer.count() / double(wörter);
    if (ns < beste) beste = ns;
  }
  return beste;
}

}  // namespace

int main() {
  for (const std::size_t mb : {3, 9, 30, 90}) {
    const std::size_t n = mb * 1024 * 1024 / sizeof(std::uint64_t);
    std::vector<std::uint64_t> block(n);
    for (std::size_t i = 0; i < n; ++i) block[i] = i * 2654435761u;
    const double folge = bestezeit(n, [&] {
      std::uint64_t s = 0;
      for (std::size_t i = 0; i < n; ++i) s += block[i];
      return s;
    });
    const double zufall = bestezeit(n, [&] {
      std::uint64_t s = 0, j = 1;
      for (std::size_t i = 0; i < n; ++i) {
        j = j * 6364136223846793005ull + 1442695040888963407ull;
        s += block[(j >> 17) % n];
      }
      return s;
    });
    std::printf("%3zu MB: der Reihe nach %6.2f ns je Wort, an zufälligen Stellen %6.2f ns je Wort\n", mb, folge,
                zufall);
  }
  return 0;
}
