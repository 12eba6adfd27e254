// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// The browser's half of the platform: the game's input and output go through the page's
// bridge (web/page/pont.js), reached as Module.pont, and its clock is the page's.
#include <emscripten.h>

#include <cstdint>
#include <iostream>
#include <streambuf>

#include "platform/platform.hpp"

namespace {

// Waits for the next line the player sends, and copies up to `taille` bytes of it;
// 0 once the input has ended.
EM_ASYNC_JS(int, lire_depuis_la_page, (char* tampon, int taille), {
  const octets = await Module.pont.lire(taille);
  if (!octets) return 0;
  HEAPU8.set(octets, tampon);
  return octets.length;
});

// Hands bytes to the page, which shows them in their order.
EM_JS(void, ecrire_vers_la_page, (const char* texte, int taille), {
  Module.pont.ecrire(HEAPU8.slice(texte, texte + taille));
});

// True while the page has much more to show than it has shown: a wait is worth it.
EM_JS(bool, la_page_est_en_retard, (), { return Module.pont.enRetard(); });

// Returns once the page has shown most of what it was given.
EM_ASYNC_JS(void, attendre_la_page, (), { await Module.pont.attendre(); });

// The page's clock, in whole seconds and the nanoseconds within the second: a double holds
// the seconds exactly, but not their nanoseconds as well.
EM_JS(double, horloge_de_la_page, (std::int32_t* nanosecondes), {
  const lecture = Module.pont.horloge();
  HEAP32[nanosecondes >> 2] = lecture.nanosecondes;
  return lecture.secondes;
});

// std::cin's buffer: each refill waits for the page's next line, as a terminal's read does.
class EntreeDeLaPage : public std::streambuf {
 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    const int lus = lire_depuis_la_page(tampon_, sizeof tampon_);
    if (lus <= 0) return traits_type::eof();
    setg(tampon_, tampon_, tampon_ + lus);
    return traits_type::to_int_type(*gptr());
  }

 private:
  char tampon_[4096];
};

// std::cout's buffer: what is flushed reaches the page at once (every read flushes it, so a
// prompt shows before its answer is awaited); then, while the page lags far behind, the game
// waits for it, so that neither a very large heap nor answers typed far ahead pile up
// output in its memory. The web test's checked build holds one byte: every write then
// reaches the page, and can wait, wherever the game makes it.
#ifndef ALLUMETTES_TAMPON_DE_SORTIE
#define ALLUMETTES_TAMPON_DE_SORTIE (64 * 1024)
#endif
class SortieVersLaPage : public std::streambuf {
 public:
  SortieVersLaPage() { setp(tampon_, tampon_ + sizeof tampon_); }

  // Hands over what is left, without waiting: the run is over, nothing follows, and the
  // bridge calls this outside the game's waits, where the game cannot wait.
  void remettre() {
    if (pptr() > pbase()) ecrire_vers_la_page(pbase(), static_cast<int>(pptr() - pbase()));
    setp(tampon_, tampon_ + sizeof tampon_);
  }

 protected:
  int sync() override {
    envoyer();
    return 0;
  }

  int_type overflow(int_type c) override {
    envoyer();
    if (!traits_type::eq_int_type(c, traits_type::eof())) sputc(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
  }

 private:
  void envoyer() {
    if (pptr() == pbase()) return;
    remettre();
    if (la_page_est_en_retard()) attendre_la_page();
  }

  char tampon_[ALLUMETTES_TAMPON_DE_SORTIE];
};

SortieVersLaPage* sortie = nullptr;

}  // namespace

std::int64_t horloge_en_nanosecondes() {
  std::int32_t nanosecondes = 0;
  const double secondes = horloge_de_la_page(&nanosecondes);
  return static_cast<std::int64_t>(secondes) * 1000000000 + nanosecondes;
}

// Answers come from the page a line at a time, never from a file.
bool entree_est_un_fichier() {
  return false;
}

// The end of a run: while the page waits on the game's behalf, the runtime's exit() skips its
// flush of the streams, so the bridge empties std::cout itself, once the game has stopped.
extern "C" EMSCRIPTEN_KEEPALIVE void vider_la_sortie() {
  sortie->remettre();
}

// The page's terminal acts on the escape sequence.
bool effacer_la_console() {
  return false;
}

// The buffers are never destroyed: std::cout is flushed at exit, after every static object.
void preparer_la_console() {
  std::cin.rdbuf(new EntreeDeLaPage);
  sortie = new SortieVersLaPage;
  std::cout.rdbuf(sortie);
}
