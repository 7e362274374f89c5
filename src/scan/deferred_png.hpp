#pragma once
// Making the PNG file of an edited page off the UI thread. A rotate or crop
// gives the page its new pixels at once, but encoding a noisy A4 page as PNG
// takes seconds. The page's `encoded_image` becomes a fresh, empty buffer
// that stands for the PNG: its identity names the new version of the page
// at once (recognition results match on it), and whoever needs the bytes
// (the save worker) resolves it into the finished PNG.

#include <cstdint>

#include "app/scanned_page.hpp"
#include "platform/result.hpp"

namespace scan {

// Starts encoding the RGBA pixels on the worker "qiro-encode-scanned-page"
// and returns the buffer that stands for the PNG. When no thread can be
// started, the PNG is made when it is first resolved.
app::SharedBytes encode_png_later(app::SharedBytes pixels, std::uint32_t width,
                                  std::uint32_t height);

// True for a buffer returned by encode_png_later (while it is alive).
bool stands_for_png(const app::SharedBytes& encoded);

// The bytes of an encoded image: the buffer itself, or the finished PNG it
// stands for, waiting for the encoding (or doing it) when needed. Blocks:
// worker threads only. The error is the encoder's reason.
platform::Result<app::SharedBytes> resolve_encoded_image(const app::SharedBytes& encoded);

}  // namespace scan
