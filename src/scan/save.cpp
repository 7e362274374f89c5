#include "scan/save.hpp"

#include <filesystem>
#include <span>
#include <utility>

#include "pdf/pdf_page.hpp"
#include "pdf/searchable_pdf.hpp"
#include "platform/atomic_file.hpp"
#include "platform/worker.hpp"
#include "scan/deferred_png.hpp"
#include "scan/scan.hpp"

namespace scan {
namespace {

bool valid_utf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto lead = static_cast<unsigned char>(s[i]);
    std::size_t length = 0;
    char32_t value = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      value = lead & 0x07;
    } else {
      return false;
    }
    if (i + length > s.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto byte = static_cast<unsigned char>(s[i + k]);
      if ((byte & 0xC0) != 0x80) return false;
      value = (value << 6) | (byte & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    if ((length == 3 && value < 0x800) || (length == 4 && (value < 0x10000 || value > 0x10FFFF)) ||
        (value >= 0xD800 && value <= 0xDFFF)) {
      return false;
    }
    i += length;
  }
  return true;
}

struct SaveTexts {
  const char* success_title;
  const char* failure_title;
};

SaveTexts texts_for(app::SaveKind kind) {
  if (kind == app::SaveKind::Document) {
    return {"Scanned document saved", "Could not save scanned document"};
  }
  return {"Scanned page saved", "Could not save scanned page"};
}

void open_picker(app::State& state, app::SaveKind kind) {
  if (!state.services.host.picker) return;
  state.save_kind = kind;
  state.save_picker = state.services.host.picker->pick(save_picker_request(kind));
}

}  // namespace

platform::PickRequest save_picker_request(app::SaveKind kind) {
  platform::PickRequest request;
  request.mode = platform::PickMode::Save;
  request.accept_label = "Save";
  if (kind == app::SaveKind::Document) {
    request.thread_name = "orvane-scan-document-save-picker";
    request.title = "Save scanned document";
    request.suggested_name = "Scanned document.pdf";
  } else {
    request.thread_name = "orvane-scan-save-picker";
    request.title = "Save scanned page";
    request.suggested_name = "Scanned page.png";
  }
  return request;
}

void request_page_save(app::State& state) {
  if (state.current_page_view && !state.save_picker) open_picker(state, app::SaveKind::Page);
}

void request_document_save(app::State& state) {
  if (!state.scanned_pages.empty() && !state.save_picker) {
    open_picker(state, app::SaveKind::Document);
  }
}

std::string destination_path(const std::string& picked, app::SaveKind kind) {
  std::filesystem::path path(picked);
  if (path.has_extension()) return picked;
  path.replace_extension(kind == app::SaveKind::Document ? "pdf" : "png");
  return path.string();
}

std::string shown_name(const std::string& path) {
  const std::string name = std::filesystem::path(path).filename().string();
  return valid_utf8(name) ? name : "the page";
}

platform::Result<app::SharedBytes> content_bytes(const SaveContent& content) {
  if (content.kind == app::SaveKind::Page) return resolve_encoded_image(content.encoded_image);
  std::vector<pdf::PdfPage> pages;
  pages.reserve(content.pages.size());
  for (const DocumentPage& page : content.pages) {
    pdf::PdfPage out;
    if (page.pixels) out.rgb = pdf::rgb_from_rgba(*page.pixels, page.width, page.height);
    out.text = page.text;
    out.width = page.width;
    out.height = page.height;
    pages.push_back(std::move(out));
  }
  return app::SharedBytes(
      std::make_shared<const std::vector<std::uint8_t>>(pdf::build_searchable_pdf(pages)));
}

void save_worker(const app::MessageSender& sender, const std::string& path,
                 const SaveContent& content) {
  const SaveTexts texts = texts_for(content.kind);
  auto bytes = content_bytes(content);
  if (bytes && (!bytes.value() || bytes.value()->empty())) return;
  // The reason of a failure is not shown: the notice tells what to do.
  const bool written = bytes && platform::write_file_atomically(path, *bytes.value()).ok();
  app::Notice notice =
      written ? app::Notice{texts.success_title, "Saved " + shown_name(path) + ".", true}
              : app::Notice{texts.failure_title, "Choose another location and try again.", false};
  sender.send(app::msg::OperationFinished{std::move(notice)});
}

void on_save_picked(app::State& state, app::SaveKind kind, const std::string& picked) {
  SaveContent content;
  content.kind = kind;
  if (kind == app::SaveKind::Page) {
    if (!state.current_page_view) return;
    content.encoded_image = state.current_page_view->encoded_image;
    // An empty buffer that stands for nothing has nothing to save.
    if (!content.encoded_image ||
        (content.encoded_image->empty() && !stands_for_png(content.encoded_image))) {
      return;
    }
  } else {
    // Only handles to the pages' buffers are taken here; the PDF itself is
    // built by the worker.
    content.pages.reserve(state.scanned_pages.size());
    for (const app::ScannedPage& page : state.scanned_pages) {
      content.pages.push_back(
          DocumentPage{page.pixels, page.width, page.height, page.recognized_text.value_or("")});
    }
  }
  platform::spawn_worker("qiro-save-scanned-page",
                         [sender = state.message_sender, path = destination_path(picked, kind),
                          content = std::move(content)] { save_worker(sender, path, content); });
}

}  // namespace scan
