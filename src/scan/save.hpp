#pragma once
// Saving the page under review as an image file and the whole document as a
// searchable PDF: the picker requests, the destination rule and the save
// worker, which makes the bytes and writes them without ever leaving a
// partial file.

#include <string>
#include <vector>

#include "app/state.hpp"
#include "platform/picker.hpp"

namespace scan {

// The picker request of each kind (no file filter).
platform::PickRequest save_picker_request(app::SaveKind kind);

// SaveScannedPage and SaveScannedDocument: open the picker unless one is
// already open (or there is nothing to save).
void request_page_save(app::State& state);
void request_document_save(app::State& state);

// A chosen path without extension gets "png" (page) or "pdf" (document); a
// path with any extension is kept as it is.
std::string destination_path(const std::string& picked, app::SaveKind kind);

// The name a notice shows: the path's last component when it is valid
// UTF-8, otherwise "the page".
std::string shown_name(const std::string& path);

// What the save worker turns into bytes: a page's encoded image, or every
// page of the document for the PDF.
struct DocumentPage {
  app::SharedBytes pixels;  // RGBA
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::string text;
};
struct SaveContent {
  app::SaveKind kind = app::SaveKind::Page;
  app::SharedBytes encoded_image;   // page
  std::vector<DocumentPage> pages;  // document
};

// The file's bytes (the PDF is built here, off the UI thread). Empty bytes
// mean that there is nothing to save.
platform::Result<app::SharedBytes> content_bytes(const SaveContent& content);

// The worker "qiro-save-scanned-page": makes the bytes, writes them
// atomically and posts OperationFinished with the notice for the outcome
// (nothing at all when there was nothing to save).
void save_worker(const app::MessageSender& sender, const std::string& path,
                 const SaveContent& content);

}  // namespace scan
