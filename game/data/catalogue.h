#pragma once
// A compiled message catalogue, as msgfmt writes it from a translator's .po file: a table of
// original strings and a table of translations, each entry a length and an offset into the file.
//
// Layout, every integer unsigned 32-bit in the byte order the magic is read in:
//   offset  0  magic 0x950412de
//   offset  4  revision: major 0 or 1 (upper half), any minor
//   offset  8  N, the number of strings
//   offset 12  O, offset of the originals' table: N pairs (length, offset)
//   offset 16  T, offset of the translations' table: N pairs (length, offset)
// A string's bytes end with a NUL not counted in its length. An original with a context is the
// context, byte 4, then the message; the entry with the empty original is the catalogue's header.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

// Catalogues larger than this are damaged: the game's texts need a few kilobytes.
constexpr size_t ztCatalogueMaxSize = 1u << 20;

// Every entry but the header, keyed by its original (context and message joined by byte 4).
// A plural form keeps its first translation. False (and `out` empty) unless the data is a whole
// catalogue whose every string lies inside it.
bool ztParseCatalogue(const uint8_t* data, size_t size, std::map<std::string, std::string>& out);
