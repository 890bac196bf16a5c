#pragma once

// The most markup the program renders: the bytes of a fetched page, and the
// characters of the markup read from a browser view (the costly shapes are
// tags, where a character is a byte). Rendering keeps the page's whole parse
// tree, about a hundred bytes for every byte of markup in the worst shapes, so
// this cap is what bounds the memory a rendering takes. No service page comes
// near it, and no cut can use a position past 32767 anyway.
inline constexpr int kMaxMarkupBytes = 1024 * 1024;

// The most bytes of a page saved from a browser view (MHTML) that the program
// reads a picture from. The file is only split into its parts, never
// rendered, and it holds the page's pictures besides its markup.
inline constexpr int kMaxSavedPageBytes = 8 * 1024 * 1024;
