#include "scan/deferred_png.hpp"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "platform/worker.hpp"
#include "scan/image_codec.hpp"

namespace scan {
namespace {

using Encoded = platform::Result<app::SharedBytes>;

// One PNG to make. The first of the worker and a resolver to get here
// encodes; the other waits for that result.
class PendingPng {
 public:
  PendingPng(app::SharedBytes pixels, std::uint32_t width, std::uint32_t height)
      : pixels_(std::move(pixels)), width_(width), height_(height) {}

  Encoded result() {
    std::unique_lock lock(mutex_);
    if (!started_) {
      started_ = true;
      lock.unlock();
      Encoded encoded = encode();
      lock.lock();
      result_.emplace(std::move(encoded));
      pixels_.reset();
      done_.notify_all();
    }
    done_.wait(lock, [&] { return result_.has_value(); });
    return *result_;
  }

 private:
  Encoded encode() const {
    auto view = rgba_view(pixels_, width_, height_);
    if (!view) return platform::err(view.error());
    // The encoder holds no Qt state, which could be gone when the process
    // ends while this worker is still encoding.
    auto png = encode_png(view.value());
    if (!png) return platform::err(png.error());
    return app::SharedBytes(
        std::make_shared<const std::vector<std::uint8_t>>(std::move(png).value()));
  }

  std::mutex mutex_;
  std::condition_variable done_;
  bool started_ = false;
  std::optional<Encoded> result_;
  app::SharedBytes pixels_;
  std::uint32_t width_;
  std::uint32_t height_;
};

struct Entry {
  std::weak_ptr<const std::vector<std::uint8_t>> token;
  std::shared_ptr<PendingPng> pending;
};

std::mutex& registry_mutex() {
  static std::mutex mutex;
  return mutex;
}

// Entries live as long as their token: a page version that nobody holds any
// more cannot be resolved, so its PNG is dropped.
std::vector<Entry>& registry() {
  static std::vector<Entry> entries;
  return entries;
}

bool same_buffer(const std::weak_ptr<const std::vector<std::uint8_t>>& token,
                 const app::SharedBytes& buffer) {
  return !token.owner_before(buffer) && !buffer.owner_before(token);
}

std::shared_ptr<PendingPng> find_pending(const app::SharedBytes& encoded) {
  if (!encoded) return nullptr;
  std::lock_guard lock(registry_mutex());
  for (const Entry& entry : registry()) {
    if (same_buffer(entry.token, encoded)) return entry.pending;
  }
  return nullptr;
}

}  // namespace

app::SharedBytes encode_png_later(app::SharedBytes pixels, std::uint32_t width,
                                  std::uint32_t height) {
  auto token = std::make_shared<const std::vector<std::uint8_t>>();
  auto pending = std::make_shared<PendingPng>(std::move(pixels), width, height);
  {
    std::lock_guard lock(registry_mutex());
    auto& entries = registry();
    std::erase_if(entries, [](const Entry& entry) { return entry.token.expired(); });
    entries.push_back(Entry{token, pending});
  }
  // The worker does not keep the token alive: when the page is edited again
  // (or removed) before the worker gets to it, nobody can ask for this PNG
  // any more and it is not made at all.
  platform::spawn_worker(
      "qiro-encode-scanned-page",
      [pending = std::move(pending), weak = std::weak_ptr<const std::vector<std::uint8_t>>(token)] {
        // Background work: it yields the core to the UI thread.
        ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), 10);
        if (!weak.expired()) pending->result();
      });
  return token;
}

bool stands_for_png(const app::SharedBytes& encoded) { return find_pending(encoded) != nullptr; }

platform::Result<app::SharedBytes> resolve_encoded_image(const app::SharedBytes& encoded) {
  if (auto pending = find_pending(encoded)) return pending->result();
  return encoded;
}

}  // namespace scan
