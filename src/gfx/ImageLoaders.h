#pragma once
// Pictures and palettes from an archive. Entries are released right after
// decoding, so only what the caller keeps stays in memory.

#include "SDL.h"

#include <cstdint>

class TJoinFile;

// The entry decoded as a BMP, or null.
SDL_Surface* LoadImage(TJoinFile& archive, int type, int number);
// As LoadImage, then the colour key (see SetImageKey).
SDL_Surface* LoadImageKeyed(TJoinFile& archive, int type, int number, std::uint32_t key);
// Fills images[0..count-1] from entries first.. of the type; a missing
// entry is reported on standard error and the rest still load. False when
// the type is missing or any entry failed.
bool LoadShapes(TJoinFile& archive, SDL_Surface** images, int type, int first, int count, std::uint32_t key);
// Sets the screen palette from an entry of RGB triples.
void SetPaletteFrom(TJoinFile& archive, int type, int number);
void FreeImages(SDL_Surface** images, int count);

// The same, on the resource archive.
SDL_Surface* LoadImage(int type, int number);
bool LoadShapes(SDL_Surface** images, int type, int first, int count, std::uint32_t key);
void SetPaletteFrom(int type, int number);

// Builds the 256-entry (R, G, B, 0) table from RGB triples; the rest stays 0.
void PaletteFromTriples(const unsigned char* data, std::size_t size, std::uint8_t table[256 * 4]);
