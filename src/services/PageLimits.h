#pragma once

// The most bytes of one page the program reads from a browser view (its markup, a saved page).
inline constexpr int kMaxPageBytes = 8 * 1024 * 1024;

// The most bytes of one fetched page. Rendering keeps the page's whole parse
// tree, about a hundred bytes for every byte of markup in the worst shapes, so
// this cap is what bounds the memory a fetch takes. No service page comes near
// it, and no cut can use a position past 32767 anyway.
inline constexpr int kMaxFetchedPageBytes = 1024 * 1024;
